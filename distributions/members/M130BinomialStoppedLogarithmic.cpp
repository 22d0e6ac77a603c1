// SPDX-License-Identifier: GPL-3.0-or-later
// Member 130: binomial stopped sum of logarithmic summands.
//   A binomial(m, pi) number of summands, each logarithmic on 1, 2, ...:
//   pgf (1 - pi + pi ln(1 - theta s)/ln(1 - theta))^m;  0 < pi, theta < 1, m fixed (F0).
//   P(0) = (1 - pi)^m. The last class takes the remainder.
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
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  E[0] = std::fabs(1 - std::pow(g[0] / in.stat.summe, 1 / m));
  E[51] = std::fabs((M * M + (m2 - M) * m) / (m2 * m + M * M));
  E[1] = std::log(std::fabs(1 - E[51])) * ((1 - E[51]) * m2 - M) / (M * E[51]);
}

constexpr Alternative kAlternativen[] = {{{0}, {51}}, {{1}, {51}}, {{0, 1}, {51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double theta = par[1];
  summanden::BinomialAnzahl(in, NP, in.eig.festparameter[0], par[0],
                            summanden::Logarithmisch(theta),
                            summanden::LogarithmischVerhaeltnis(theta));
}

}  // namespace

// clang-format off
const Member kM130BinomialStoppedLogarithmic{.nummer = 130,
    .name = "Binomial stopped sum of logarithmics", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
