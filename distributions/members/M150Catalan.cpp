// SPDX-License-Identifier: GPL-3.0-or-later
// Member 150: Catalan distribution.
//   P(x) = C_(x-1) p^x (1 - p)^(x-1), x = 1, 2, ..., with p = b/(a + b) and the Catalan numbers
//   C; computed as P(1) = p, P(x) = P(x-1) 2 (2x - 3) a b / (x (a + b)^2). a > 0, b > 0 (the mass
//   is 1 for b >= a, less otherwise). The variable is the class value; the data must start at 1.
//   a + b = 0 leaves p undefined: the division raises its fault. The last class takes the
//   remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double N = in.stat.summe;
  const double f0 = in.f[0];
  E[50] = 0.5;
  E[51] = 1.0;
  for (int runde = 0; runde < 6; ++runde) {
    E[0] = E[50];
    E[1] = E[51];
    E[51] = E[0] * f0 / (N - f0);
    E[50] = E[1] * in.stat.m2 * f0 / (in.stat.m1 * in.stat.m1 * in.stat.m1 * N);
    if (std::fabs(E[1] - E[51]) < 0.0001) break;
  }
}

// The smaller of E[0] and E[51] as a, the larger as b.
void AlternativeWaehlen(const Eingaben&, std::uint32_t, const Schaetzwerttabelle& E,
                        Parametervektor& p) {
  p[0] = std::min(E[0], E[51]);
  p[1] = std::max(E[0], E[51]);
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double p = b / (a + b);
  const double faktor = 2 * a * b / ((a + b) * (a + b));
  RekursionMitRest(NP, in.stat.n, in.stat.summe, in.stat.summe * p,
                   [&](std::uint32_t i, double vorher) {
                     const double x = in.x[i];
                     return vorher * (2 * x - 3) * faktor / x;
                   });
}

}  // namespace

// clang-format off
const Member kM150Catalan{.nummer = 150, .name = "Catalan", .parZahl = 2,
    .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternative = AlternativeWaehlen, .alternativenZahl = 1,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
