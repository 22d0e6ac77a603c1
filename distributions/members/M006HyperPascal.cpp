// SPDX-License-Identifier: GPL-3.0-or-later
// Member 6: hyper-Pascal distribution.
//   P(x) proportional to (k)_x q^x / (m)_x,  x = 0, 1, 2, ...;  (a)_x the rising factorial;
//   parameters k, m > 0 and 0 < q < 1 (the domains come from the catalog's flags). The infinite
//   normalising sum is taken over the L + 101 terms x = 0..L+100; the last class takes the
//   remainder.
#include <algorithm>
#include <array>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  // The ratio estimators read only classes 0..3; classes beyond L count as empty.
  std::array<double, 4> g{};
  std::copy_n(f.begin(), std::min<std::uint32_t>(stat.n + 1, 4), g.begin());
  NullhaeufigkeitenErsetzen(g);

  const double N = stat.summe;
  const double m1 = stat.m1;
  const double fm2 = stat.fm2;
  const double r1 = g[1] / g[0];
  const double r2 = g[2] / g[1];
  const double r3 = g[3] / g[2];
  const double e = g[0] / N + m1 - 1;

  E[100] = ((2 * r2 - r1) * e - (r2 - r1) * fm2 - m1 * g[2] / g[0]) /
           (e - (m1 + fm2) * (r2 - r1) - r1 * m1);
  E[50] = (E[100] - r2) / (r2 - r1);
  E[0] = E[50] * r1 / E[100];
  E[101] = std::fabs((2 * r1 * r3 - r1 * r2 - r3 * r2) / (r1 + r3 - 2 * r2));
  E[51] = E[50];
  E[1] = E[0];
}

void AlternativeWaehlen(std::uint32_t k, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  switch (k) {
    case 1:
      p[0] = E[0];
      p[1] = E[50];
      p[2] = E[100];
      break;
    case 2:
      p[0] = E[1];
      p[1] = E[51];
      p[2] = E[101];
      break;
    default:
      break;  // the two alternatives share no element
  }
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  const double k = par[0];
  const double m = par[1];
  const double q = par[2];
  const std::uint32_t L = stat.n;
  NormierteTermeMitRest(NP, L, L + 100, stat.summe, [&](double i, double vorher) {
    return vorher * (i + k - 1) * q / (i + m - 1);
  });
}

}  // namespace

const Member kM006HyperPascal{6,
                              3,
                              0,
                              2,
                              "Hyper-Pascal",
                              SchaetzwerteBerechnen,
                              AlternativeWaehlen,
                              ErwartungswerteBerechnen};

}  // namespace vk::members
