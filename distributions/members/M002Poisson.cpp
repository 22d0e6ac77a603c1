// SPDX-License-Identifier: GPL-3.0-or-later
// Member 2: Poisson distribution.
//   P(i) = e^-a a^i / i!,  i = 0, 1, 2, ...;  a > 0. The last class takes N minus the others
//   (without an absolute value). Where e^-a is below the normal range the recurrence starts at
//   the mode.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = Anfangsklassen(in.f, in.stat.n);
  const double M = in.stat.m1x0;
  E[0] = M;
  E[1] = (f0 > 0) ? -std::log(f0 / in.stat.summe) : M;
  E[2] = (f0 > 0) ? f1 / f0 : M;
  // f[i+1] = a f[i]/(i + 1).
  E[3] = VerhaeltnisRegression(in.f, in.stat.n,
                               [](std::uint32_t i) { return static_cast<double>(i) + 1; });
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2, 3}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const double ea = std::exp(-a);
  const auto hoch = [&](double i, double vorher) { return vorher * a / i; };
  if (ea >= kKleinsteNormale || L == 0) {
    RekursionMitRest(NP, L, N, N * ea, hoch, Restregel::kOhneBetrag);
    return;
  }
  // From a of about 708 on e^-a is below the normal range (from 745 on it is 0) and the recurrence
  // from class 0 would carry its lost digits into every class. The classes near the mode are still
  // representable: start at the mode (or at the highest class below L, where all of them lie below
  // it) in logarithms, log(j!) summed rather than taken from lgamma, which is not safe across
  // threads.
  const std::uint32_t j = BegrenzteAnzahl(std::fmin(std::floor(a), L - 1.0), L - 1);
  Summe logFakultaet = 0;
  for (std::uint32_t k = 2; k <= j; ++k) logFakultaet += std::log(static_cast<double>(k));
  const double npj = N * std::exp(j * std::log(a) - a - static_cast<double>(logFakultaet));
  const Summe summe = RekursionVonInnen(NP, L, j, npj, hoch,
                                        [&](double i, double danach) { return danach * i / a; });
  RestklasseSetzen(NP, L, N, summe, Restregel::kOhneBetrag);
}

}  // namespace

// clang-format off
const Member kM002Poisson{.nummer = 2, .name = "Poisson", .parZahl = 1,
    .rest = Restregel::kOhneBetrag, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
