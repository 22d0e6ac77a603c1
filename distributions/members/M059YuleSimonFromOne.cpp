// SPDX-License-Identifier: GPL-3.0-or-later
// Member 59: Yule-Simon distribution with parameter rho = a + 1 on the values 1, 2, ...
//   P(x) = rho B(x, rho + 1),  P(1) = (a + 1)/(a + 2),  P(x)/P(x-1) = (x - 1)/(x + a + 1);
//   a > -1. The recurrence runs on the class values; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double N = in.stat.summe;
  E[1] = std::fabs(g[0] / g[1] - 3);
  E[2] = std::fabs((1 - 2 * g[0] / N) / (g[0] / N - 1));
}

constexpr Alternative kAlternativen[] = {{{1, 2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  RekursionMitRest(NP, in.stat.n, N, N * (a + 1) / (a + 2), [&](std::uint32_t i, double vorher) {
    const double x = static_cast<double>(in.x[i]);
    return vorher * (x - 1) / (x + a + 1);
  });
}

}  // namespace

// clang-format off
const Member kM059YuleSimonFromOne{.nummer = 59, .name = "Yule-Simon", .parZahl = 1,
    .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
