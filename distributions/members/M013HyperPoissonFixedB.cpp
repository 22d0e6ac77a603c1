// SPDX-License-Identifier: GPL-3.0-or-later
// Member 13: right-truncated hyper-Poisson distribution with a given second parameter.
//   P(i) proportional to a^i / ((b + 1)(b + 2)...(b + i)),  i = 0..L;  b fixed (F0), a > 0; the
//   hyper-Poisson with second parameter b + 1, normalised over the classes 0..L. There is no
//   tail class.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften& eig,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte& x) {
  const std::uint32_t L = stat.n;
  const double N = stat.summe;
  const double b = eig.festparameter[0];
  const double f1 = KlasseOderNull(f, L, 1);
  E[0] = (N * stat.m1 - b * f[0]) / (N - f[L]);
  E[1] = (f[0] > 0 && f1 > 0) ? f1 * (b + 1) / f[0] : E[0];
  // Ratio regression of f[i+1] on f[i]/(x_i + 1).
  Summe z = 0, q = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double u = static_cast<double>(x[i]) + 1;
    z += f[i] * f[i + 1] / u;
    q += f[i] * f[i] / (u * u);
  }
  E[2] = static_cast<double>(z / q);
}

void AlternativeWaehlen(std::uint32_t, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  p[0] = (E[0] + E[1] + E[2]) / 3;
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften& eig) {
  const double a = par[0];
  const double b = eig.festparameter[0];
  NormierteTermeOhneRest(NP, stat.n, stat.summe,
                         [&](double i, double vorher) { return vorher * a / (b + i); });
}

}  // namespace

const Member kM013HyperPoissonFixedB{13,
                                     1,
                                     1,
                                     1,
                                     "Truncated hyper-Poisson (fixed b)",
                                     SchaetzwerteBerechnen,
                                     AlternativeWaehlen,
                                     ErwartungswerteBerechnen};

}  // namespace vk::members
