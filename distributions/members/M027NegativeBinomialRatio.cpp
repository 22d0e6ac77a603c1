// SPDX-License-Identifier: GPL-3.0-or-later
// Member 27: negative binomial distribution, started from the first frequency ratio.
//   P(i) = C(k + i - 1, i) p^k (1 - p)^i,  i = 0, 1, 2, ...;  k > 0, p in (0, 1). The last class
//   takes the remainder.
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
  E[51] = std::fabs(M / stat.m2);
  E[50] = (f[0] > 0 && f1 > 0) ? f1 / (f[0] * M) : E[51];
  E[0] = std::fabs(M * E[50] / (1 - E[50]));
}

void AlternativeWaehlen(std::uint32_t k, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  switch (k) {
    case 1:
      p[1] = E[50];
      break;
    case 2:
      p[1] = E[51];
      break;
    case 3:
      p[1] = (E[50] + E[51]) / 2;
      break;
    default:
      break;
  }
  p[0] = E[0];  // k is common to all three alternatives
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  const double k = par[0];
  const double p = par[1];
  const double N = stat.summe;
  RekursionMitRest(NP, stat.n, N, N * std::pow(p, k),
                   [&](double i, double vorher) { return vorher * (i + k - 1) * (1 - p) / i; });
}

}  // namespace

const Member kM027NegativeBinomialRatio{27,
                                        2,
                                        0,
                                        3,
                                        "Negative binomial (ratio start)",
                                        SchaetzwerteBerechnen,
                                        AlternativeWaehlen,
                                        ErwartungswerteBerechnen};

}  // namespace vk::members
