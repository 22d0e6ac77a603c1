// SPDX-License-Identifier: GPL-3.0-or-later
// Member 7: negative hypergeometric (beta-binomial) distribution with n estimated.
//   P(i) = C(n, i) B(R + i, K - R + n - i) / B(R, K - R),  i = 0..n;  n a natural number of at
//   least x[L] - x[0] (raised to it when smaller), K > R > 0. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/NegativHypergeometrisch.h"

namespace vk::members {

namespace {

namespace nh = negativhypergeometrisch;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& stat = in.stat;
  const KlassenWerte& x = in.x;
  const double spanne = static_cast<double>(x[stat.n]) - static_cast<double>(x[0]);
  E[2] = (spanne == 0) ? 1 : spanne;
  nh::MomentSchaetzer(stat, E[2], E);
}

constexpr Alternative kAlternativen[] = {
    {{0}, {1}, {2}},
    {{50}, {51}, {2}},
};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const KlassenWerte& x = in.x;
  const double spanne = static_cast<double>(x[in.stat.n]) - static_cast<double>(x[0]);
  if (par[2] < spanne) par[2] = spanne;
  const double K = par[0];
  const double R = par[1];
  const double n = par[2];
  const std::uint32_t faktoren = FaktorAnzahl(n);
  double p0 = (K - R) / K;
  for (std::uint32_t j = 1; j < faktoren; ++j) {
    const double dj = static_cast<double>(j);
    p0 *= (K - R + dj) / (K + dj);
  }
  RekursionMitRest(NP, in.stat.n, in.stat.summe, in.stat.summe * p0,
                   [&](double i, double vorher) { return vorher * nh::Verhaeltnis(K, R, n, i); });
}

}  // namespace

const Member kM007NegativeHypergeometricFreeN{
    .nummer = 7,
    .name = "Negative hypergeometric",
    .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen,
};

}  // namespace vk::members
