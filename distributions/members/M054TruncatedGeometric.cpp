// SPDX-License-Identifier: GPL-3.0-or-later
// Member 54: geometric distribution right-truncated at n.
//   P(i) = (1 - p) p^i / (1 - p^(n+1)),  i = 0..n;  n the last value of the data (fixed),
//   p > 0, p != 1 (above 1 the probabilities rise). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften& eig,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const double n = eig.festparameter[0];
  const double N = stat.summe;
  const double m1 = stat.m1;
  const double fm2 = stat.fm2;
  const std::uint32_t L = stat.n;
  E[0] = (fm2 - n * m1) / (fm2 - m1 * (n - 2) - n);
  E[1] = (f[0] > 0) ? f[1] / f[0] : E[0];
  E[2] = (m1 - (1 - f[0] / N) * (n + 1)) / (m1 - n);
  E[3] = (N - f[0]) / (N - f[L]);
}

void AlternativeWaehlen(std::uint32_t, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  p[0] = (E[0] + E[1] + E[2] + E[3]) / 4;
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften& eig) {
  const double p = par[0];
  const double n = eig.festparameter[0];
  const double N = stat.summe;
  RekursionMitRest(NP, stat.n, N, N * (1 - p) / (1 - std::pow(p, n + 1)),
                   [&](double, double vorher) { return vorher * p; });
}

}  // namespace

const Member kM054TruncatedGeometric{54,
                                     1,
                                     1,
                                     1,
                                     "Right-truncated geometric",
                                     SchaetzwerteBerechnen,
                                     AlternativeWaehlen,
                                     ErwartungswerteBerechnen};

}  // namespace vk::members
