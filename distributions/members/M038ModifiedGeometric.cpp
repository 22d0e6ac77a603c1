// SPDX-License-Identifier: GPL-3.0-or-later
// Member 38: zero-modified geometric distribution in a power parametrisation.
//   With c = b^a:  P(0) = 1 - (1 - c) b / (a (1 - b)),  P(x) = (1 - c)^2 b / (a (1 - b)) c^(x-1)
//   for x >= 1;  a > 0, 0 < b < 1. The mean is b / (a (1 - b)) and fm2/m1 = 2c/(1 - c).
//   The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The written difference is kept until it would lose three digits (its operands within this of
// each other, relatively); closer, the same number comes from a form without the difference.
inline constexpr double kNahe = 1e-3;

inline constexpr double kToleranz = 0.01;
// The fixed point moves b by a few hundredths per round on ordinary data; a hundred rounds
// bound it where it cycles.
inline constexpr std::uint32_t kRunden = 100;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m1 = in.stat.m1;
  E[0] = 1;
  E[1] = 0.5;
  E[2] = in.stat.fm2 / m1;
  const double q = E[2];
  // Each round takes a from c = q/(q + 2) = b^a and b from the mean, both with the old values.
  for (std::uint32_t runde = 0; runde < kRunden; ++runde) {
    const double a = E[0];
    const double b = E[1];
    E[0] = std::log(q / (q + 2)) / std::log(b);
    E[1] = a * m1 / (a * m1 + 1);
    if (std::fabs(E[1] - b) < kToleranz) break;
  }
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const double c = std::pow(b, a);
  // 1 - c; for c near 1 (a small) through expm1, where the difference loses the digits of c.
  const double einsMinusC = c > 1 - kNahe ? -std::expm1(a * std::log(b)) : 1 - c;
  RekursionMitRest(NP, in.stat.n, N, N * (1 - einsMinusC * b / (a * (1 - b))),
                   [&](std::uint32_t i, double vorher) {
                     if (i == 1) return N * (einsMinusC * einsMinusC * b / (a * (1 - b)));
                     return vorher * c;
                   });
}

}  // namespace

// clang-format off
const Member kM038ModifiedGeometric{.nummer = 38, .name = "Zero-modified geometric (power form)",
    .parZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
