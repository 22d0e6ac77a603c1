// SPDX-License-Identifier: GPL-3.0-or-later
// Member 8: geometric distribution.
//   P(i) = p (1 - p)^i,  i = 0, 1, 2, ...;  p in (0, 1). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const double M = stat.m1x0;
  const auto g = ErsetzteAnfangsklassen(f, stat.n);
  E[0] = 1 - M / (M + 1);
  E[1] = g[0] / stat.summe;
  E[2] = 1 - g[1] / g[0];
  E[3] = M / stat.m2;
}

void AlternativeWaehlen(std::uint32_t, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  p[0] = (E[0] + E[1] + E[2] + E[3]) / 4;
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  const double p = par[0];
  const double N = stat.summe;
  RekursionMitRest(NP, stat.n, N, N * p, [&](double, double vorher) { return vorher * (1 - p); });
}

}  // namespace

const Member kM008Geometric{
    8, 1, 0, 1, "Geometric", SchaetzwerteBerechnen, AlternativeWaehlen, ErwartungswerteBerechnen};

}  // namespace vk::members
