// SPDX-License-Identifier: GPL-3.0-or-later
// Member 129: geometric stopped sum of geometric summands.
//   A geometric number of summands, P(K = k) = pi (1 - pi)^k, each geometric on 0, 1, ... with
//   g_j = p (1 - p)^j: pgf pi/(1 - (1 - pi) p/(1 - (1 - p) s));  0 < pi, p < 1. The last class
//   takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GeometrischeUndLogarithmischeSummanden.h"
#include "distributions/members/GestoppteSumme.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double M = in.stat.m1x0;
  const double N = in.stat.summe;
  E[0] = std::fabs(1 - 2 * M * M / in.stat.fm2);
  E[50] = std::fabs((g[1] / g[0]) / (1 - g[0] / N));
  E[1] = std::fabs((1 - E[50]) * g[0] / (N - E[50] * g[0]));
  E[51] = std::fabs((g[1] - g[2]) / (g[1] - g[2] * (1 - E[0])));
  E[101] = (1 - E[1]) / (E[1] * M + 1 - E[1]);
}

constexpr Alternative kAlternativen[] = {{{0}, {50}}, {{1}, {51}}, {{1}, {101}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[1];
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kGeometrisch, 0, par[0]}, summanden::Geometrisch(p),
                      [p](std::uint32_t) { return 1 - p; });
}

}  // namespace

// clang-format off
const Member kM129GeometricStoppedGeometric{.nummer = 129,
    .name = "Geometric stopped sum of geometrics", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
