// SPDX-License-Identifier: GPL-3.0-or-later
// Member 93: binomial distribution right-truncated at the last class.
//   P(x) = Bin(x; n, p) / sum_{j=x[0]}^{x[L]} Bin(j; n, p),  x = x[0]..x[L];  n fixed (F0, the
//   largest value of the data), p in (0, 1). Every class by the formula, no remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double n = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  // (i + 1) f[i+1]/(n - i) = p/(1 - p) f[i] summed over i < L.
  Summe A = 0;
  for (std::uint32_t i = 0; i < L; ++i) A += (i + 1.0) * in.f[i + 1] / (n - i);
  E[51] = static_cast<double>(A / (A + in.stat.summe - in.f[L]));
}

constexpr Alternative kAlternativen[] = {{{51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double n = in.eig.festparameter[0];
  const double p = par[0];
  const std::uint32_t L = in.stat.n;
  // The terms are normalised over the classes, so the first one's size does not matter: 1
  // instead of (1 - p)^n gives the same classes and cannot underflow for large n. Where the
  // terms rise past 2^900 on the way to a mode beyond the last class, they are carried scaled.
  const auto schritt = [&](std::uint32_t i, double r) {
    const double xi = static_cast<double>(in.x[i]);
    r *= (n - xi + 1) * p / (xi * (1 - p));
    // A number of trials below a value of the data that is not a whole number makes that class
    // negative (a whole one ends the terms at 0).
    if (r < 0) RaiseInvalid();
    return r;
  };
  SkalierteNormierteKlassen(NP, L, in.stat.summe, schritt);
}

}  // namespace

// clang-format off
const Member kM093RightTruncatedBinomial{.nummer = 93, .name = "Right-truncated binomial",
    .parZahl = 1, .festparZahl = 1, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
