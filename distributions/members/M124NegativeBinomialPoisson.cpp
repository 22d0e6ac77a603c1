// SPDX-License-Identifier: GPL-3.0-or-later
// Member 124: negative binomial stopped sum of Poisson summands.
//   A negative binomial(k, c) number of summands, each Poisson(a);  pgf
//   (c / (1 - (1 - c) e^(a (s - 1))))^k;  k > 0, a > 0, 0 < c < 1. Computed by the negative
//   binomial recursion of the stopped-sum kernel; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GestoppteSumme.h"
#include "distributions/members/Members.h"
#include "distributions/members/Summanden.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  const double fm2 = in.stat.fm2;
  const double fm3 = in.stat.fm3;
  E[0] = std::fabs(g[0] * g[1] * (1 - M) /
                   (2 * g[0] * g[2] - g[1] * g[1] - g[0] * g[1] * (m2 - M) / M));
  E[100] = std::fabs(1 - M * M / (E[0] * (m2 - M)));
  E[50] = std::fabs((m2 - M) * E[100] / M);
  const double t = std::fabs((M * (M * M * M + fm3) - fm2 * (M * M * M + fm2)) /
                             (2 * fm2 * fm2 - M * (fm3 + M * M * fm2)));
  E[103] = 1 / (t + 1);
  E[51] = std::fabs((m2 - M) / (M * (t + 1)));
  E[1] = M / (t * E[51]);
}

// (k, a, c): (E[0], E[50], E[100]), (E[1], E[51], E[103]), their means.
constexpr Alternative kAlternativen[] = {
    {{0}, {50}, {100}}, {{1}, {51}, {103}}, {{0, 1}, {50, 51}, {100, 103}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double a = par[1];
  const double c = par[2];
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kNegativBinomial, k, c}, summanden::Poisson(a),
                      summanden::PoissonVerhaeltnis(a));
}

}  // namespace

// clang-format off
const Member kM124NegativeBinomialPoisson{.nummer = 124, .name = "Negative binomial-Poisson",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
