// SPDX-License-Identifier: GPL-3.0-or-later
// Member 34: Poisson-Levy distribution (Poisson mixed over a Levy, i.e. one-sided stable with
// index 1/2, distribution of scale a).
//   G(s) = exp(-sqrt(2a (1 - s))),  x = 0, 1, 2, ...;  a > 0.  From the pgf:
//   P(0) = exp(-sqrt(2a)), P(1) = P(0) sqrt(a/2),
//   P(i) = (2i - 3) P(i-1) / (2i) + a P(i-2) / (2i (i - 1)).  The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  // The mean of the estimates from P(0) and from P(1)/P(0).
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double l = std::log(g[0] / in.stat.summe);
  E[0] = (l * l / 2 + 2 * g[1] * g[1] / (g[0] * g[0])) / 2;
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  // Second order from class 2 on: the step reads NP[i-2] besides its predecessor.
  RekursionMitRest(NP, in.stat.n, N, N * std::exp(-std::sqrt(2 * a)),
                   [&](std::uint32_t i, double vorher) {
                     if (i == 1) return vorher * std::sqrt(a / 2);
                     const double di = static_cast<double>(i);
                     return (2 * di - 3) * vorher / (2 * di) + a * NP[i - 2] / (2 * di * (di - 1));
                   });
}

}  // namespace

// clang-format off
const Member kM034PoissonLevy{.nummer = 34, .name = "Poisson-Levy", .parZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
