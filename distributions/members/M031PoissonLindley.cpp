// SPDX-License-Identifier: GPL-3.0-or-later
// Member 31: Poisson-Lindley distribution (Poisson mixed over a Lindley distribution).
//   P(x) = theta^2 (x + theta + 2) / (theta + 1)^(x + 3),  x = 0, 1, 2, ...;  theta > 0.
//   The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  // The root of M theta^2 + (M - 1) theta - 2 = 0: the mean (theta + 2)/(theta (theta + 1)) = M.
  const double M = in.stat.m1x0;
  E[0] = (std::sqrt((M - 1) * (M - 1) + 8 * M) + 1 - M) / (2 * M);
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double t = par[0];
  const double N = in.stat.summe;
  const double t1 = t + 1;
  RekursionMitRest(
      NP, in.stat.n, N, N * t * t * (t + 2) / (t1 * t1 * t1),
      [&](double i, double vorher) { return vorher * (i + t + 2) / (t1 * (i + t + 1)); });
}

}  // namespace

// clang-format off
const Member kM031PoissonLindley{.nummer = 31, .name = "Poisson-Lindley", .parZahl = 1,
    .traeger = Traeger::kNull, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
