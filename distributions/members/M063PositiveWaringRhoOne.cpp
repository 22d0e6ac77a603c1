// SPDX-License-Identifier: GPL-3.0-or-later
// Member 63: a Waring-type distribution on the values 1, 2, ...
//   P(x) = a / ((x + a - 1)(x + a)),  P(1) = 1/(a + 1);  a > 0. The recurrence runs on the class
//   values; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = (in.stat.summe - g[0]) / g[0];
  E[1] = 2 * g[1] / (g[0] - g[1]);
}

constexpr Alternative kAlternativen[] = {{{0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  RekursionMitRest(NP, in.stat.n, N, N / (a + 1), [&](std::uint32_t i, double vorher) {
    const double x = static_cast<double>(in.x[i]);
    // x - 2 is exact: for a small beside x the written (x + a) - 2 would keep only the digits
    // of a that x + a still holds (class x = 2 gives a itself).
    return vorher * ((x - 2) + a) / (x + a);
  });
}

}  // namespace

// clang-format off
const Member kM063PositiveWaringRhoOne{.nummer = 63, .name = "Waring (rho = 1) from 1",
    .parZahl = 1, .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
