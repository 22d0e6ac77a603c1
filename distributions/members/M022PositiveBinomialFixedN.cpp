// SPDX-License-Identifier: GPL-3.0-or-later
// Member 22: zero-truncated (positive) binomial distribution with a given n.
//   P(v) = C(n, v) p^v (1 - p)^(n - v) / (1 - (1 - p)^n),  v = 1..n;  n fixed (F0), p in (0, 1)
//   (a negative p is taken as |p|, written back). The recurrence runs on the class values x[i],
//   class 0 holding the value 1; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PositiveBinomial.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften& eig,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const double dL = static_cast<double>(stat.n);
  const double m1 = stat.m1;
  const double q = f[0] / stat.summe;
  const double n = eig.festparameter[0];
  E[0] = std::fabs(m1 - q) / (dL - q);
  E[1] = stat.fm2 / std::trunc(n - 1) / m1;
}

void AlternativeWaehlen(std::uint32_t, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  p[0] = (E[0] + E[1]) / 2;
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte& x,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften& eig) {
  par[0] = std::fabs(par[0]);
  positivebinomial::Berechnen(NP, stat, x, eig.festparameter[0], par[0]);
}

}  // namespace

const Member kM022PositiveBinomialFixedN{22,
                                         1,
                                         1,
                                         1,
                                         "Positive binomial (fixed n)",
                                         SchaetzwerteBerechnen,
                                         AlternativeWaehlen,
                                         ErwartungswerteBerechnen};

}  // namespace vk::members
