// SPDX-License-Identifier: GPL-3.0-or-later
// Member 21: zero-truncated (positive) binomial distribution.
//   P(v) = C(n, v) p^v (1 - p)^(n - v) / (1 - (1 - p)^n),  v = 1..n;  n a natural number, p in
//   (0, 1) (a negative p is taken as |p|, written back). The recurrence runs on the class values
//   x[i], class 0 holding the value 1; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PositiveBinomial.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const double dL = static_cast<double>(stat.n);
  const double m1 = stat.m1;
  const double q = f[0] / stat.summe;
  E[0] = dL + 1;
  E[1] = std::fabs(m1 - q) / (dL - q);
  E[2] = std::fabs(1 - std::pow(q / m1, 1 / (E[0] - 1)));
  E[3] = stat.fm2 / (E[0] - 1) / m1;
}

void AlternativeWaehlen(std::uint32_t k, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  switch (k) {
    case 1:
    case 2:
    case 3:
      p[1] = E[k];
      break;
    case 4:
      p[1] = (E[1] + E[2] + E[3]) / 3;
      break;
    default:
      break;
  }
  p[0] = E[0];  // n is common to all four alternatives
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte& x,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  par[1] = std::fabs(par[1]);
  positivebinomial::Berechnen(NP, stat, x, par[0], par[1]);
}

}  // namespace

const Member kM021PositiveBinomial{21,
                                   2,
                                   0,
                                   4,
                                   "Positive binomial",
                                   SchaetzwerteBerechnen,
                                   AlternativeWaehlen,
                                   ErwartungswerteBerechnen};

}  // namespace vk::members
