// SPDX-License-Identifier: GPL-3.0-or-later
// Member 15: Polya (Polya-Eggenberger urn) distribution with n estimated.
//   P(i) = C(n, i) prod_{j<i} (p + j s) prod_{j<n-i} (1 - p + j s) / prod_{j<n} (1 + j s),
//   i = 0..n;  s >= 0, p in (0, 1), n a natural number (below 1 raised to 1). The last class is
//   N minus the others (without an absolute value).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/Polya.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte& x) {
  E[2] = static_cast<double>(x[stat.n]) - static_cast<double>(x[0]) + 1;
  polya::Schaetzer(stat, f, E[2], E);
}

void AlternativeWaehlen(std::uint32_t k, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  switch (k) {
    case 1:
      p[0] = E[0];
      break;
    case 2:
      p[0] = E[50];
      break;
    case 3:
      p[0] = (E[0] + E[50]) / 2;
      break;
    default:
      break;
  }
  p[1] = E[1];  // p and n are common to all three alternatives
  p[2] = E[2];
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  if (par[2] < 1) par[2] = 1;
  const double s = par[0];
  const double p = par[1];
  const double n = par[2];
  const std::uint32_t faktoren = FaktorAnzahl(n);
  double p0 = 1;
  for (std::uint32_t j = 0; j < faktoren; ++j) {
    const double dj = static_cast<double>(j);
    p0 *= (1 - p + dj * s) / (1 + dj * s);
  }
  RekursionMitRestOhneBetrag(NP, stat.n, stat.summe, stat.summe * p0, [&](double i, double vorher) {
    return vorher * polya::Verhaeltnis(s, p, n, i);
  });
}

}  // namespace

const Member kM015Polya{
    15, 3, 0, 3, "Polya", SchaetzwerteBerechnen, AlternativeWaehlen, ErwartungswerteBerechnen};

}  // namespace vk::members
