// SPDX-License-Identifier: GPL-3.0-or-later
// Member 2: Poisson distribution.
//   P(i) = e^-a a^i / i!,  i = 0, 1, 2, ...;  a > 0. The last class takes N minus the others
//   (without an absolute value).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const std::uint32_t L = stat.n;
  const double N = stat.summe;
  const double M = stat.m1x0;
  const double f1 = KlasseOderNull(f, L, 1);

  E[0] = M;
  E[1] = (f[0] > 0) ? -std::log(f[0] / N) : M;
  E[2] = (f[0] > 0) ? f1 / f[0] : M;
  // Ratio regression on f[i+1] = a f[i]/(i + 1).
  Summe z = 0, q = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double u = static_cast<double>(i) + 1;
    z += f[i] * f[i + 1] / u;
    q += f[i] * f[i] / (u * u);
  }
  E[3] = static_cast<double>(z / q);
}

void AlternativeWaehlen(std::uint32_t, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  p[0] = (E[0] + E[1] + E[2] + E[3]) / 4;
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  const double a = par[0];
  const double N = stat.summe;
  RekursionMitRestOhneBetrag(NP, stat.n, N, N * std::exp(-a),
                             [&](double i, double vorher) { return vorher * a / i; });
}

}  // namespace

const Member kM002Poisson{
    2, 1, 0, 1, "Poisson", SchaetzwerteBerechnen, AlternativeWaehlen, ErwartungswerteBerechnen};

}  // namespace vk::members
