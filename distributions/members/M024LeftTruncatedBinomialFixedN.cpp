// SPDX-License-Identifier: GPL-3.0-or-later
// Member 24: binomial distribution with a given n, left-truncated below the value t.
//   P(v) = C(n, v) p^v (1 - p)^(n - v) / (1 - sum_{u<x[0]} C(n, u) p^u (1 - p)^(n - u)),
//   v = x[0]..n;  n (F0) and the truncation value t = x[0] > 1 (F1) fixed, p in (0, 1). The
//   recurrence runs on the class values; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/LinksgestutzteBinomial.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften& eig,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                           const KlassenWerte& x) {
  const double m1 = stat.m1;
  const double n = eig.festparameter[0];
  const double t = eig.festparameter[1];
  const double xL = static_cast<double>(x[stat.n]);
  E[0] = (m1 * m1 + stat.m2 - m1 * t) / (m1 * (xL - 1) - (t - 1) * xL);
  E[1] = (stat.fm2 + m1 - m1 * t) / (m1 * (n - 1) - n * (t - 1));
}

void AlternativeWaehlen(std::uint32_t, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  p[0] = (E[0] + E[1]) / 2;
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte& x,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften& eig) {
  linksgestutztebinomial::Berechnen(NP, stat, x, eig.festparameter[0], par[0],
                                    eig.festparameter[1]);
}

}  // namespace

const Member kM024LeftTruncatedBinomialFixedN{24,
                                              1,
                                              2,
                                              1,
                                              "Left-truncated binomial (fixed n)",
                                              SchaetzwerteBerechnen,
                                              AlternativeWaehlen,
                                              ErwartungswerteBerechnen};

}  // namespace vk::members
