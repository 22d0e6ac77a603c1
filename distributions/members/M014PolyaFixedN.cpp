// SPDX-License-Identifier: GPL-3.0-or-later
// Member 14: Polya (Polya-Eggenberger urn) distribution with a given n.
//   P(i) = C(n, i) prod_{j<i} (p + j s) prod_{j<n-i} (1 - p + j s) / prod_{j<n} (1 + j s),
//   i = 0..n;  n fixed (F0), s >= 0, p in (0, 1); the beta-binomial with alpha = p/s and
//   beta = (1 - p)/s, the binomial at s = 0. The last class is N minus the others (without an
//   absolute value).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/Polya.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften& eig,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  polya::Schaetzer(stat, f, eig.festparameter[0], E);
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
  p[1] = E[1];  // p is common to all three alternatives
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften& eig) {
  const double s = par[0];
  const double p = par[1];
  const double n = eig.festparameter[0];
  const std::uint32_t faktoren = FaktorAnzahl(n);
  double p0 = 1 - p;
  for (std::uint32_t j = 1; j < faktoren; ++j) {
    const double dj = static_cast<double>(j);
    p0 *= (1 - p + dj * s) / (1 + dj * s);
  }
  RekursionMitRestOhneBetrag(NP, stat.n, stat.summe, stat.summe * p0, [&](double i, double vorher) {
    return vorher * polya::Verhaeltnis(s, p, n, i);
  });
}

}  // namespace

const Member kM014PolyaFixedN{14,
                              2,
                              1,
                              3,
                              "Polya (fixed n)",
                              SchaetzwerteBerechnen,
                              AlternativeWaehlen,
                              ErwartungswerteBerechnen};

}  // namespace vk::members
