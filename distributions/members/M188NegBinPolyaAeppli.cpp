// SPDX-License-Identifier: GPL-3.0-or-later
// Member 188: negative binomial convolved with a Poisson stopped sum of geometric summands.
//   pgf g(s)^b exp(a (g(s) - 1)), g(s) = theta/(1 - (1 - theta) s);  a > 0, b > 0,
//   0 < theta < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/NegBinPoissonGeometrisch.h"

namespace vk::members {

namespace {

// Alternative 1 from the shared iteration (a, b, theta in E[50], E[51], E[52]); alternative 2
// keeps its theta and solves mean (a + b) r and variance mean + (b + 2a) r^2, r = (1 -
// theta)/theta, for a and b; alternative 3 is the mean of the two.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  nbpoissongeometrisch::Iteration(in, E);
  const double M = in.stat.m1x0;
  const double r = (1 - E[52]) / E[52];
  const double z = (in.stat.m2 - M) / (r * r);
  E[100] = std::fabs(z - M / r);
  E[101] = std::fabs(2 * M / r - z);
}

constexpr Alternative kAlternativen[] = {
    {{50}, {51}, {52}}, {{100}, {101}, {52}}, {{50, 100}, {51, 101}, {52}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  nbpoissongeometrisch::Schreiben(in, par[0], par[1], par[2], NP);
}

}  // namespace

// clang-format off
const Member kM188NegBinPolyaAeppli{.nummer = 188, .name = "Negative binomial - Polya-Aeppli",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
