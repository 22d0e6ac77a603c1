// SPDX-License-Identifier: GPL-3.0-or-later
// Member 65: the Poisson upper tail over its mean plus one.
//   P(i) = P(Y >= i) / (a + 1),  i = 0, 1, ...,  Y Poisson with mean a > 0 (the tails sum to
//   E[Y] + 1). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PoissonFolge.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double m1 = in.stat.m1;
  E[0] = (in.stat.summe - g[0]) / g[0];
  E[1] = std::sqrt(m1 * m1 + 1) + m1 - 1;
}

constexpr Alternative kAlternativen[] = {{{0, 1}}};

// Written: P(0) = 1/(a + 1), P(i) = (1 - sum_{j<i} Pois(j; a))/(a + 1).
void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  poisson::SchwanzKlassen(NP, in.stat.n, in.stat.summe, a, 0, a + 1);
}

}  // namespace

// clang-format off
const Member kM065PoissonTailOverMeanPlusOne{.nummer = 65, .name = "Poisson tail",
    .parZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
