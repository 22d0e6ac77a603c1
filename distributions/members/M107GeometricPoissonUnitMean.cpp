// SPDX-License-Identifier: GPL-3.0-or-later
// Member 107: geometric-Poisson distribution with Poisson summands of mean 1.
//   G(s) = (1 - b) / (1 - b e^(s-1));  0 < b < 1. The last class takes the remainder.
#include <numbers>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GeometrischPoisson.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  constexpr double e = std::numbers::e;
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double m1 = in.stat.m1;
  const double N = in.stat.summe;
  E[0] = 1 - (e - 1) * g[0] / (e * N - g[0]);
  E[1] = e * g[1] / (g[1] + g[0]);
  E[2] = 1 - 2 * m1 / (m1 + in.stat.fm2);
  E[3] = m1 / (m1 + 1);
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2}}, {{3}}, {{2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  geompoisson::Berechnen(in, NP, 1, par[0]);
}

}  // namespace

// clang-format off
const Member kM107GeometricPoissonUnitMean{.nummer = 107,
    .name = "Geometric-Poisson (unit summand mean)", .parZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
