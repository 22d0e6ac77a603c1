// SPDX-License-Identifier: GPL-3.0-or-later
// Member 128: geometric stopped sum of binomial summands.
//   A geometric number of summands, P(K = k) = pi (1 - pi)^k, each binomial(n, p):
//   pgf pi/(1 - (1 - pi)(1 - p + p s)^n);  0 < p, pi < 1, n fixed (F0, a whole number of
//   trials). P(0) = pi/|1 - (1 - p)^n (1 - pi)|. The last class takes the remainder.
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
  const double n = in.eig.festparameter[0];
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  E[0] = std::fabs((m2 - M * M - M) / (n * M - M));
  if (E[0] >= 1) {
    E[0] = 0.9;
  } else if (!(E[0] > 0)) {
    E[0] = 0.1;
  }
  E[1] = n * E[0] * M / (m2 - M * (1 - E[0]));
  E[102] = n * E[0] * std::pow(std::fabs(1 - E[0]), n - 0.9);
  E[51] = E[102] / (E[102] + in.stat.summe * g[1] / (g[0] * g[0]));
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{0}, {51}}, {{0}, {1, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const std::uint32_t n = FaktorAnzahl(in.eig.festparameter[0]);
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kGeometrisch, 0, par[1]}, summanden::Binomisch(n, p),
                      summanden::BinomischVerhaeltnis(n, p));
}

}  // namespace

// clang-format off
const Member kM128GeometricStoppedBinomial{.nummer = 128,
    .name = "Geometric stopped sum of binomials", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
