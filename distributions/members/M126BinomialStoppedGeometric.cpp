// SPDX-License-Identifier: GPL-3.0-or-later
// Member 126: binomial stopped sum of geometric summands.
//   A binomial(m, pi) number of summands, each geometric on 0, 1, ... with g_j = p (1 - p)^j;
//   pgf (1 - pi + pi p/(1 - (1 - p) s))^m;  0 < pi, p < 1, m fixed (F0). The last class takes the
//   remainder.
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
  const double m = in.eig.festparameter[0];
  const double c = 2 * m * g[2] / g[1] - m * g[1] / g[0] + g[1] / g[0];
  // With r = f1/f0 = m pi p (1 - p)/(1 - pi (1 - p)) and f2/f1 = (m - 1) r/(2m) + 1 - p, c is
  // exactly 2m (1 - p): p = 1 - c/(2m) (the form (1 - c)/(2m) is negative on exact
  // probabilities), and the estimate of pi below is then exact too.
  E[50] = (c == 0 || c == 1) ? 0.9 : 1 - c / (2 * m);
  E[0] = g[1] / (g[1] + g[0] * m * E[50] * (1 - E[50]) - g[1] * E[50]);
  if (E[0] > 1) E[0] = 0.9;
}

constexpr Alternative kAlternativen[] = {{{0}, {50}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[1];
  summanden::BinomialAnzahl(in, NP, in.eig.festparameter[0], par[0], summanden::Geometrisch(p),
                            [p](std::uint32_t) { return 1 - p; });
}

}  // namespace

// clang-format off
const Member kM126BinomialStoppedGeometric{.nummer = 126,
    .name = "Binomial stopped sum of geometrics", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
