// SPDX-License-Identifier: GPL-3.0-or-later
// Member 106: geometric-Poisson distribution, the geometric stopped sum of Poisson summands.
//   G(s) = (1 - b) / (1 - b e^(a(s-1)));  a > 0, 0 < b < 1. The last class takes the remainder.
#include <cmath>
#include <numbers>

#include "distributions/Helpers.h"
#include "distributions/members/GeometrischPoisson.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  constexpr double e = std::numbers::e;
  const double M = in.stat.m1x0;
  const double f0 = in.f[0];
  const double N = in.stat.summe;
  // b from P(0) as if a were 1; then a from the mean a b/(1 - b).
  E[1] = 1 - (e - 1) * f0 / (e * N - f0);
  E[0] = (1 - E[1]) * M / E[1];
  // b from fm2/M = a (1 + 2 b/(1 - b)) and the mean.
  E[51] = 1 - 2 * M / (M + in.stat.fm2);
  E[50] = (1 - E[51]) * M / E[51];
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{50}, {51}}, {{0, 50}, {1, 51}}, {{50}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  geompoisson::Berechnen(in, NP, par[0], par[1]);
}

}  // namespace

// clang-format off
const Member kM106GeometricPoisson{.nummer = 106, .name = "Geometric-Poisson", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
