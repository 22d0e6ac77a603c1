// SPDX-License-Identifier: GPL-3.0-or-later
// Member 6: hyper-Pascal distribution.
//   P(x) proportional to (k)_x q^x / (m)_x,  x = 0, 1, 2, ...;  (a)_x the rising factorial;
//   parameters k, m > 0 and 0 < q < 1 (the domains come from the catalog's flags). The infinite
//   normalising sum is taken over the L + 101 terms x = 0..L+100; the last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/HyperPascal.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const auto [r1, r2, r3] = ErsteVerhaeltnisse(g);
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  const double e = g[0] / in.stat.summe + m1 - 1;

  E[100] = ((2 * r2 - r1) * e - (r2 - r1) * fm2 - m1 * g[2] / g[0]) /
           (e - (m1 + fm2) * (r2 - r1) - r1 * m1);
  E[50] = (E[100] - r2) / (r2 - r1);
  E[0] = E[50] * r1 / E[100];
  E[101] = std::fabs((2 * r1 * r3 - r1 * r2 - r3 * r2) / (r1 + r3 - 2 * r2));
  E[51] = E[50];
  E[1] = E[0];
}

constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}}, {{1}, {51}, {101}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  hyperpascal::Berechnen(NP, in.stat, par[0], par[1], par[2]);
}

}  // namespace

// clang-format off
const Member kM006HyperPascal{.nummer = 6, .name = "Hyper-Pascal", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
