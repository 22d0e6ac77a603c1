// SPDX-License-Identifier: GPL-3.0-or-later
// Member 203: a beta mixture of logarithmic distributions.
//   P(x) = (alpha)_x / ((alpha + beta)_x x) / (psi(alpha + beta) - psi(beta)),  x = 1, 2, ...;
//   alpha > 0, beta > 0; P(1) = alpha / (s R), s = alpha + beta, and
//   P(x) = P(x-1) (x + alpha - 1)(x - 1) / (x (x + s - 1)). Data from 1; the last class takes
//   the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PolygammaReihen.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  const double fm3 = in.stat.fm3;
  E[0] = std::fabs((m1 * fm2 - 3 * fm2 * fm3 - 2 * fm2 * fm2) / (2 * (fm2 - m1 * fm3)));
  E[1] = (2 * fm2 + m1 + m1 * E[0]) / fm2;
  double D = f0 - 2 * f1;
  if (D == 0) D = 1;
  E[51] = std::fabs((m1 / f0 - 1) / (m1 / f0 - f0 / D));
  E[50] = 2 * f1 * E[51] / D - 1;
  const double h = f1;
  const double l = f2;
  E[100] = (4 * h - 6 * l - 3 * l * (f0 - 2 * h) / (2 * h)) /
           (3 * l - 2 * h - 3 * l * (2 * h - f0) / (2 * h));
  E[101] = std::fabs((f0 - 2 * h * (2 * h - f0) * E[100]) / (2 * h));
}

// Alt 1: (E[0], E[1]); Alt 2: (E[50], E[51]); Alt 3: (E[100], E[101]); Alt 4: the means.
constexpr Alternative kAlternativen[] = {
    {{0}, {1}}, {{50}, {51}}, {{100}, {101}}, {{0, 50, 100}, {1, 51, 101}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double alpha = par[0];
  const double beta = par[1];
  const double s = alpha + beta;
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  // R = sum_{x >= 1} (alpha)_x / ((s)_x x) in closed form: its terms fall like x^-(1 + beta), so
  // the first L + 100 of them miss a share of the order of (L + 100)^-beta.
  const double R = static_cast<double>(polygamma::DigammaDifferenz(beta, alpha));
  RekursionMitRest(NP, L, N, N * alpha / (s * R), [&](std::uint32_t i, double vorher) {
    const double x = in.x[i];
    return vorher * (x + alpha - 1) * (x - 1) / (x * (x + s - 1));
  });
}

}  // namespace

// clang-format off
const Member kM203BetaLogarithmic{.nummer = 203, .name = "Beta-logarithmic", .parZahl = 2,
    .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
