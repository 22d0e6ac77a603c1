// SPDX-License-Identifier: GPL-3.0-or-later
// Member 142: negative binomial stopped sum of logarithmic summands.
//   A NB(k, c) number of summands, each logarithmic on 1, 2, ... with parameter theta;
//   pgf (c / (1 - (1 - c) g(s)))^k, g(s) = ln(1 - theta s) / ln(1 - theta);
//   k > 0, 0 < c < 1, 0 < theta < 1. g_0 = 0, so P(0) = c^k. Computed by the negative binomial
//   convolution recurrence; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GestoppteSummanden.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// theta from the first three classes: with rho = P(1)/P(0) = (1 - c) k g_1 and g_2/g_1 = theta/2
// the recurrence gives P(2)/P(0) = rho^2 (k + 1)/(2k) + rho theta/2, so
// theta = 2 f[2]/f[1] - (f[1]/f[0]) (k + 1)/k, taken with k = E[0] and kept inside (0, 1).
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double N = in.stat.summe;
  const double M = in.stat.m1x0;
  E[0] = M * M / (in.stat.fm2 - M * M);
  E[1] = std::pow(g[0] / N, 1 / E[0]);
  E[2] = std::fabs(2 * g[2] / g[1] - (g[1] / g[0]) * (E[0] + 1) / E[0]);
  InEinheitsintervallKorrigieren(E[2]);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double c = par[1];
  const double theta = par[2];
  gestoppt::Berechnen(
      in, NP, {gestoppt::Art::kNegativBinomial, k, c}, summanden::Logarithmisch(theta),
      [&](std::uint32_t j) { return static_cast<long double>(theta) * (j - 1.0L) / j; });
}

}  // namespace

// clang-format off
const Member kM142NegativeBinomialLogarithmic{.nummer = 142,
    .name = "Negative binomial-logarithmic", .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
