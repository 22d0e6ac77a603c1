// SPDX-License-Identifier: GPL-3.0-or-later
// Member 8: geometric distribution.
//   P(i) = p (1 - p)^i,  i = 0, 1, 2, ...;  p in (0, 1). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const double M = in.stat.m1x0;
  const auto g = ErsetzteAnfangsklassen(f, in.stat.n);
  E[0] = 1 - M / (M + 1);
  E[1] = g[0] / in.stat.summe;
  E[2] = 1 - g[1] / g[0];
  E[3] = M / in.stat.m2;
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2, 3}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const double N = in.stat.summe;
  RekursionMitRest(NP, in.stat.n, N, N * p,
                   [&](double, double vorher) { return vorher * (1 - p); });
}

}  // namespace

// clang-format off
const Member kM008Geometric{.nummer = 8, .name = "Geometric", .parZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
