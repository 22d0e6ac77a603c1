// SPDX-License-Identifier: GPL-3.0-or-later
// Member 19: Waring distribution.
//   P(i) = rho (alpha)_i / (rho + alpha)_(i+1),  i = 0, 1, 2, ...;  rho > 0, alpha > 0; (a)_i the
//   rising factorial. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const double N = stat.summe;
  const double M = stat.m1x0;
  const double fm2 = stat.fm2;
  const auto g = ErsetzteAnfangsklassen(f, stat.n);
  // From P(0) = rho/(rho + alpha) and the mean alpha/(rho - 1).
  const double h = M * g[0] / N;
  E[1] = std::fabs(h / (h - (1 - g[0] / N)));
  E[0] = (N - g[0]) * E[1] / g[0];
  // From the mean and the second factorial moment.
  E[51] = std::fabs((2 * fm2 + 2 * M - 2 * M * M) / (fm2 - 2 * M * M));
  E[50] = (E[51] - 1) * M;
}

void AlternativeWaehlen(std::uint32_t k, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  switch (k) {
    case 1:
      p[0] = E[1];
      p[1] = E[0];
      break;
    case 2:
      p[0] = E[51];
      p[1] = E[50];
      break;
    case 3:
      p[0] = (E[1] + E[51]) / 2;
      p[1] = (E[0] + E[50]) / 2;
      break;
    default:
      break;
  }
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  const double rho = par[0];
  const double alpha = par[1];
  const double N = stat.summe;
  RekursionMitRest(NP, stat.n, N, N * (rho / (rho + alpha)), [&](double i, double vorher) {
    return vorher * (i + alpha - 1) / (rho + alpha + i);
  });
}

}  // namespace

const Member kM019Waring{
    19, 2, 0, 3, "Waring", SchaetzwerteBerechnen, AlternativeWaehlen, ErwartungswerteBerechnen};

}  // namespace vk::members
