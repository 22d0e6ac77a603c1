// SPDX-License-Identifier: GPL-3.0-or-later
// Member 73: zero-modified zero-truncated Poisson distribution.
//   P(0) = 1 - b;  P(x) = b a^x / (x! (e^a - 1)),  x = 1, 2, ... (the class values);  a > 0,
//   b in [0, 1] fixed (the share of the data above 0). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = 2 * f1 / f0;
  E[1] = in.stat.fm2 / in.stat.m1;
  E[50] = in.eig.festparameter[0];
}

constexpr Alternative kAlternativen[] = {{{0, 1}}};

// Below this e^-a has lost digits (or is 0) and the classes start from the mode instead.
inline constexpr double kKleinsteVolleGenauigkeit = 1e-300;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = in.eig.festparameter[0];
  if (!(b >= 0 && b <= 1)) RaiseInvalid();
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const KlassenWerte& x = in.x;
  // b a / (e^a - 1) as b a e^-a / (1 - e^-a): the same value, and no overflow of e^a.
  const double ea = std::exp(-a);
  const double np1 = N * b * a * ea / -std::expm1(-a);
  const auto hoch = [&](std::uint32_t i, double vorher) {
    return vorher * a / static_cast<double>(x[i]);
  };
  if (ea > kKleinsteVolleGenauigkeit || L <= 2) {
    KlassenMitRest(NP, L, N, [&](std::uint32_t i, double vorher) {
      if (i == 0) return N * (1 - b);
      if (i == 1) return np1;
      return hoch(i, vorher);
    });
    return;
  }
  // From a of about 690 on e^-a is 0 or short of digits in double, while the classes near the mode
  // are not: start at the class nearest a (at most L - 1) in logarithms and take the ratios both
  // ways.
  std::uint32_t j = 1;
  while (j + 1 < L && static_cast<double>(x[j + 1]) <= a) ++j;
  Summe logTerm = 0;
  for (std::uint32_t i = 2; i <= j; ++i) logTerm += std::log(a / static_cast<double>(x[i]));
  NP[0] = N * (1 - b);
  NP[j] =
      N * b * std::exp(static_cast<double>(logTerm) + std::log(a) - a - std::log(-std::expm1(-a)));
  for (std::uint32_t i = j + 1; i < L; ++i) NP[i] = hoch(i, NP[i - 1]);
  for (std::uint32_t i = j; i > 1; --i) NP[i - 1] = NP[i] * static_cast<double>(x[i]) / a;
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) summe += NP[i];
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM073ZeroModifiedPositivePoisson{.nummer = 73,
    .name = "Zero-modified positive Poisson", .parZahl = 1, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
