// SPDX-License-Identifier: GPL-3.0-or-later
// Member 127: geometric stopped sum of logarithmic summands.
//   A geometric number of summands, P(K = k) = a (1 - a)^k, each logarithmic on 1, 2, ...:
//   pgf a/(1 - (1 - a) ln(1 - theta s)/ln(1 - theta));  0 < a, theta < 1. P(0) = a. The last
//   class takes the remainder.
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
  E[0] = g[0] / in.stat.summe;
  const double c = std::fabs(in.stat.fm2 - 2 * M * M);
  E[50] = c / (M + c);
  E[51] = std::fabs(2 * (g[0] * g[2] - g[1] * g[1]) / (g[0] * g[1]));
  double D = 4 * g[0] * g[2] - g[1] * g[1];
  if (D == 0) D = 1;
  E[52] = std::fabs((6 * g[0] * g[3] - 4 * g[1] * g[2]) / D);
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}}, {{0}, {51}}, {{0}, {52}}, {{0}, {50, 51, 52}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double theta = par[1];
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kGeometrisch, 0, par[0]},
                      summanden::Logarithmisch(theta), summanden::LogarithmischVerhaeltnis(theta));
}

}  // namespace

// clang-format off
const Member kM127GeometricStoppedLogarithmic{.nummer = 127,
    .name = "Geometric stopped sum of logarithmics", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
