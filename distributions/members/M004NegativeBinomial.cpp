// SPDX-License-Identifier: GPL-3.0-or-later
// Member 4: negative binomial distribution.
//   P(i) = C(k + i - 1, i) p^k (1 - p)^i,  i = 0, 1, 2, ...;  k > 0, p in (0, 1). The last class
//   takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The zero-frequency iteration for p stops on a change below this or after kRunden rounds.
inline constexpr double kToleranz = 0.001;
inline constexpr std::uint32_t kRunden = 11;

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const double N = stat.summe;
  const double M = stat.m1x0;
  const double m2 = stat.m2;
  const auto g = ErsetzteAnfangsklassen(f, stat.n);

  E[0] = M / m2;
  if (E[0] >= 1) E[0] = 0.9;
  E[50] = (m2 == M) ? M * M / 0.1 : std::fabs(M * M / (m2 - M));
  E[51] = std::fabs(M * E[0] / (1 - E[0]));

  // p^k = f~[0]/N with k = M p/(1 - p) solved for p by fixed-point steps.
  const double ln0 = std::log(g[0] / N);
  double vorher = E[0];
  double p = E[0];
  for (std::uint32_t runde = 1;; ++runde) {
    vorher = p;
    p = ln0 * (1 - vorher) / (M * std::log(vorher));
    if (p >= 1) p = 0.9;
    if (std::fabs(p - vorher) < kToleranz || runde == kRunden) break;
  }
  E[101] = p;
  E[1] = vorher;
}

void AlternativeWaehlen(std::uint32_t k, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  switch (k) {
    case 1:
      p[0] = E[50];
      p[1] = E[0];
      break;
    case 2:
      p[0] = E[51];
      p[1] = E[1];
      break;
    case 3:
      p[0] = (E[50] + E[51]) / 2;
      p[1] = (E[0] + E[1]) / 2;
      break;
    default:
      break;  // the three alternatives share no element
  }
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

const Member kM004NegativeBinomial{4,
                                   2,
                                   0,
                                   3,
                                   "Negative binomial",
                                   SchaetzwerteBerechnen,
                                   AlternativeWaehlen,
                                   ErwartungswerteBerechnen};

}  // namespace vk::members
