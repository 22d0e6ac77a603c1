// SPDX-License-Identifier: GPL-3.0-or-later
// Member 119: Thomas distribution.
//   A Poisson(lambda) number of clusters, each of 1 + Poisson(phi) members;
//   pgf exp(lambda (s e^(phi (s - 1)) - 1));  lambda > 0, phi > 0. P(0) = e^-lambda, and the
//   written P(x) = lambda e^-phi / x (sum_{s<x} q_s P(x-1-s) + phi sum_{s<x-1} q_s P(x-2-s)),
//   q_s = phi^s / s!, is the Poisson recursion of the stopped-sum kernel with the summands
//   g_j = e^-phi phi^(j-1) / (j-1)! (both sums together give j g_j); the last class takes the
//   remainder.
//
// On many classes (a word-frequency spectrum has 20001) the convolution costs L^2/2 steps. The
// classes from x on are below 1e-300 N wherever the Chernoff bound of the generating function
// says so: for every s > 1, P(X >= x) <= G(s) s^-x, with ln G(s) = lambda (s e^(phi (s - 1)) - 1),
// so every class from x > (ln G(s) - ln 1e-300) / ln s on is below 1e-300 N. They are 0 (a change
// of less than 1e-300 N each, and of as little in the last class, which takes the remainder), and
// their sums are not formed; every class below x is computed as written.
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Schnittschranke.h"
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

// The first class of the bound above, the least over s - 1 = 2^-6 .. 2^6; no cut (the largest
// count) where the parameters are outside their domain or no s bounds below 2^32. Points whose
// s e^(phi (s - 1)) would leave the range of a double are passed over, not computed.
std::uint32_t Schnitt(double lambda, double phi, std::uint32_t L) {
  using namespace schnittschranke;
  if (!std::isgreater(lambda, 0.0) || !std::isgreaterequal(phi, 0.0)) return kKeiner;
  if (!Moeglich(64, L)) return kKeiner;
  const double logLambda = std::log(lambda);
  Kleinste kleinste;
  for (int k = -6; k <= 6; ++k) {
    const double t = std::ldexp(1.0, k);
    const double a = phi * t + std::log1p(t);  // ln(s e^(phi (s - 1)))
    if (a > 700 || logLambda + a > 700) continue;
    kleinste.Versuchen(lambda * std::expm1(a), t);
  }
  return kleinste.Klasse();
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double lambda = par[0];
  const double phi = par[1];
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kPoisson, lambda, 0}, summanden::EinsPlusPoisson(phi),
                      summanden::EinsPlusPoissonVerhaeltnis(phi), Schnitt(lambda, phi, in.stat.n));
}

}  // namespace

// clang-format off
const Member kM119Thomas{.nummer = 119, .name = "Thomas", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
