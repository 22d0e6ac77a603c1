// SPDX-License-Identifier: GPL-3.0-or-later
// Member 19: Waring distribution.
//   P(i) = rho (alpha)_i / (rho + alpha)_(i+1),  i = 0, 1, 2, ...;  rho > 0, alpha > 0; (a)_i the
//   rising factorial. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double N = in.stat.summe;
  const double M = in.stat.m1x0;
  const double fm2 = in.stat.fm2;
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  // From P(0) = rho/(rho + alpha) and the mean alpha/(rho - 1).
  const double h = M * g[0] / N;
  E[1] = std::fabs(h / (h - (1 - g[0] / N)));
  E[0] = (N - g[0]) * E[1] / g[0];
  // From the mean and the second factorial moment.
  E[51] = std::fabs((2 * fm2 + 2 * M - 2 * M * M) / (fm2 - 2 * M * M));
  E[50] = (E[51] - 1) * M;
}

constexpr Alternative kAlternativen[] = {{{1}, {0}}, {{51}, {50}}, {{1, 51}, {0, 50}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double rho = par[0];
  const double alpha = par[1];
  const double N = in.stat.summe;
  RekursionMitRest(NP, in.stat.n, N, N * (rho / (rho + alpha)), [&](double i, double vorher) {
    return vorher * (i + alpha - 1) / (rho + alpha + i);
  });
}

}  // namespace

// clang-format off
const Member kM019Waring{.nummer = 19, .name = "Waring", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
