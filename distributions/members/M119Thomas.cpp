// SPDX-License-Identifier: GPL-3.0-or-later
// Member 119: Thomas distribution.
//   A Poisson(lambda) number of clusters, each of 1 + Poisson(phi) members;
//   pgf exp(lambda (s e^(phi (s - 1)) - 1));  lambda > 0, phi > 0. P(0) = e^-lambda, and the
//   written P(x) = lambda e^-phi / x (sum_{s<x} q_s P(x-1-s) + phi sum_{s<x-1} q_s P(x-2-s)),
//   q_s = phi^s / s!, is the Poisson recursion of the stopped-sum kernel with the summands
//   g_j = e^-phi phi^(j-1) / (j-1)! (both sums together give j g_j); the last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GestoppteSumme.h"
#include "distributions/members/Members.h"
#include "distributions/members/Summanden.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  const double m2 = in.stat.m2;
  E[0] = -std::log(g[0] / N);
  E[1] = (std::sqrt((m2 - m1) * (m2 - m1) + 4 * m1 * m1) + m1 - m2) / 2;
  E[50] = -std::log(g[1] / (E[0] * g[0]));
  E[51] = m1 / E[1] - 1;
}

constexpr Alternative kAlternativen[] = {{{0}, {50}}, {{1}, {51}}, {{0, 1}, {50, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double lambda = par[0];
  const double phi = par[1];
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kPoisson, lambda, 0}, summanden::EinsPlusPoisson(phi),
                      summanden::EinsPlusPoissonVerhaeltnis(phi));
}

}  // namespace

// clang-format off
const Member kM119Thomas{.nummer = 119, .name = "Thomas", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
