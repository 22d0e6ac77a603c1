// SPDX-License-Identifier: GPL-3.0-or-later
// Member 86: zeta distribution.
//   P(v) = v^-a / zeta(a),  v = 1, 2, 3, ...;  a > 1. Class i holds the value i + 1; the last
//   class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/ZetaZipf.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  E[0] = zetazipf::AusErstenKlassen(in);
}

constexpr Alternative kAlternativen[] = {{{0}}};

// sum_{v > K} v^-a by Euler-Maclaurin from K on: the integral K^(1-a)/(a - 1), minus half the
// term at K, and the first three derivative corrections. With K above 100 the next correction
// is below 1e-20 of the sum for every a > 1 (it carries K^-a, which outruns the rising
// factors of a).
Summe ZetaRest(double a, std::uint32_t K) {
  const Summe k = K;
  const Summe s = a;
  const Summe t = std::pow(k, -s);
  return k * t / (s - 1) - t / 2 + s * t / (12 * k) -
         s * (s + 1) * (s + 2) * t / (720 * k * k * k) +
         s * (s + 1) * (s + 2) * (s + 3) * (s + 4) * t / (30240 * k * k * k * k * k);
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  // The terms of the values 1..L + 100 summed directly, and the rest of the series in closed
  // form: near a = 1 the terms beyond L + 100 still hold most of the mass, and a normaliser cut
  // there would shift every class. Where that rest is negligible the result is the sum of the
  // L + 101 terms alone.
  // The series diverges from a = 1 down; its continuation below would not be a distribution.
  if (!(a > 1)) RaiseInvalid();
  const std::uint32_t K = UnendlicherTraeger(L);
  Summe S = 0;
  for (std::uint32_t v = 1; v <= K; ++v) {
    const double r = std::pow(static_cast<double>(v), -a);
    S += r;
    if (v <= L) NP[v - 1] = r;
  }
  TermeNormieren(NP, L, in.stat.summe, S + ZetaRest(a, K));
}

}  // namespace

// clang-format off
const Member kM086Zeta{.nummer = 86, .name = "Zeta", .parZahl = 1, .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
