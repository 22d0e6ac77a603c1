// SPDX-License-Identifier: GPL-3.0-or-later
// Member 9: binomial distribution with a given probability, the number of trials estimated.
//   P(i) = C(n, i) p^i (1 - p)^(n - i),  i = 0..n;  p fixed (F0), n a natural number of at least
//   the last class index L (raised to it when smaller). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften& eig,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const double F0 = eig.festparameter[0];
  E[0] = static_cast<double>(stat.n);
  E[50] = F0;
  // (1 - p)^n = f[0]/N solved for n.
  E[1] = (f[0] > 1e-6) ? std::log(f[0] / stat.summe) / std::log(std::fabs(1 - F0)) : E[0];
}

void AlternativeWaehlen(std::uint32_t k, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  switch (k) {
    case 1:
      p[0] = E[0];
      break;
    case 2:
      p[0] = E[1];
      break;
    case 3:
      p[0] = (E[0] + E[1]) / 2;
      break;
    default:
      break;
  }
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften& eig) {
  const std::uint32_t L = stat.n;
  if (par[0] < static_cast<double>(L)) par[0] = static_cast<double>(L);
  const double n = par[0];
  const double p = eig.festparameter[0];
  const double N = stat.summe;
  RekursionMitRest(NP, L, N, N * std::exp(n * std::log(1 - p)), [&](double i, double vorher) {
    return vorher * (n - i + 1) * p / ((1 - p) * i);
  });
}

}  // namespace

const Member kM009BinomialFixedP{9,
                                 1,
                                 1,
                                 3,
                                 "Binomial (fixed p)",
                                 SchaetzwerteBerechnen,
                                 AlternativeWaehlen,
                                 ErwartungswerteBerechnen};

}  // namespace vk::members
