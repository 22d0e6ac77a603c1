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

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  // The ratio estimators read only classes 0..3; classes beyond L count as empty.
  std::array<double, 4> g{};
  std::copy_n(f.begin(), std::min<std::uint32_t>(in.stat.n + 1, 4), g.begin());
  NullhaeufigkeitenErsetzen(g);

  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
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

constexpr Alternative kAlternativen[] = {
    {{0}, {50}, {100}},
    {{1}, {51}, {101}},
};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double m = par[1];
  const double q = par[2];
  const std::uint32_t L = in.stat.n;
  NormierteTerme(NP, L, L + 100, in.stat.summe, 1,
                 [&](double i, double vorher) { return vorher * (i + k - 1) * q / (i + m - 1); });
}

}  // namespace

const Member kM006HyperPascal{
    .nummer = 6,
    .name = "Hyper-Pascal",
    .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen,
};

}  // namespace vk::members
