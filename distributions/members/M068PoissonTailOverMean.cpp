// SPDX-License-Identifier: GPL-3.0-or-later
// Member 68: the Poisson upper tail over its mean.
//   P(x) = P(Y > x) / a,  x = 0, 1, ...,  Y Poisson with mean a > 0 (the tails sum to E[Y]). The
//   last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PoissonFolge.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& s = in.stat;
  const auto g = ErsetzteAnfangsklassen(in.f, s.n);
  E[0] = 2 * s.m1;
  E[1] = -std::log(std::fabs(g[0] - g[1]) / s.summe);
  E[2] = 1.5 * ((s.fm2 + s.m1) / s.m1 - 1);
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2}}};

// Written: P(0) = (1 - e^-a)/a, P(i) = P(i-1) - Pois(i; a)/a.
void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  poisson::SchwanzKlassen(NP, in.stat.n, in.stat.summe, a, 1, a);
}

}  // namespace

// clang-format off
const Member kM068PoissonTailOverMean{.nummer = 68, .name = "Poisson tail beyond x",
    .parZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
