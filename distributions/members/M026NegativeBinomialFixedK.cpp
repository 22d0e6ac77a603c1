// SPDX-License-Identifier: GPL-3.0-or-later
// Member 26: negative binomial distribution with a given k.
//   P(i) = C(k + i - 1, i) p^k (1 - p)^i,  i = 0, 1, 2, ...;  k > 0 fixed (F0), p in (0, 1).
//   The last class takes the remainder.
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
  const double f1 = KlasseOderNull(f, stat.n, 1);
  E[51] = M / stat.m2;
  E[50] = (f[0] > 0 && f1 > 0) ? f1 / (f[0] * M) : E[51];
}

void AlternativeWaehlen(std::uint32_t, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  p[0] = (E[50] + E[51]) / 2;
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften& eig) {
  const double k = eig.festparameter[0];
  const double p = par[0];
  const double N = stat.summe;
  RekursionMitRest(NP, stat.n, N, N * std::pow(p, k),
                   [&](double i, double vorher) { return vorher * (i + k - 1) * (1 - p) / i; });
}

}  // namespace

const Member kM026NegativeBinomialFixedK{26,
                                         1,
                                         1,
                                         1,
                                         "Negative binomial (fixed k)",
                                         SchaetzwerteBerechnen,
                                         AlternativeWaehlen,
                                         ErwartungswerteBerechnen};

}  // namespace vk::members
