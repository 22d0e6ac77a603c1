// SPDX-License-Identifier: GPL-3.0-or-later
// Member 10: zero-truncated (positive) Poisson distribution.
//   P(v) = a^v / (v! (e^a - 1)),  v = 1, 2, 3, ...;  a > 0. Class i holds the value v = i + 1;
//   the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const double m1 = stat.m1;
  E[51] = m1 - f[0] / stat.summe;
  E[50] = (m1 * m1 + stat.m2) / m1 - 1;
}

void AlternativeWaehlen(std::uint32_t, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  p[0] = (E[50] + E[51]) / 2;
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  const double a = par[0];
  const double N = stat.summe;
  RekursionMitRest(NP, stat.n, N, N * (a / (std::exp(a) - 1)),
                   [&](double i, double vorher) { return vorher * a / (i + 1); });
}

}  // namespace

const Member kM010PositivePoisson{10,
                                  1,
                                  0,
                                  1,
                                  "Positive Poisson",
                                  SchaetzwerteBerechnen,
                                  AlternativeWaehlen,
                                  ErwartungswerteBerechnen};

}  // namespace vk::members
