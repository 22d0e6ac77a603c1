// SPDX-License-Identifier: GPL-3.0-or-later
// Member 148: negative binomial stopped sum of negative binomial summands.
//   A NB(k, c) number of summands, each NB(k2, p): g_j = C(k2 + j - 1, j) p^k2 (1 - p)^j;
//   pgf (c / (1 - (1 - c) g(s)))^k, g(s) = (p / (1 - (1 - p) s))^k2;
//   k > 0, k2 > 0, 0 < c < 1, 0 < p < 1. Computed by the negative binomial convolution
//   recurrence; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GestoppteSummanden.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  E[0] = 1;
  for (int runde = 0; runde < 50; ++runde) {
    const double f = E[0];
    E[50] = f;
    const double h1 = f + 1;
    E[1] = std::fabs(m1 * m1 * g[1] * (g[1] * h1 + f * g[0] * (f - 1)) /
                     (f * ((2 * f * g[0] * g[2] - g[1] * g[1] * h1) * (fm2 - m1 * m1) -
                           g[1] * g[0] * m1 * m1 * h1)));
    E[3] = std::fabs(m1 * m1 * h1 / (f * (fm2 * E[1] - m1 * m1 * (E[1] + 1))));
    E[2] = m1 / (f * E[1] * E[3]);
    const double h = std::pow(E[3] + 1, -E[1]);
    E[0] = std::log(g[0] / N) / (-std::log(E[2] + 1) - std::log(1 - E[2] * h / (E[2] + 1)));
    if (E[0] > 40) E[0] = 10;
    if (std::fabs(E[0] - E[50]) < 0.0001) break;
  }
  E[2] = 1 / (E[2] + 1);
  E[3] = 1 / (E[3] + 1);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}, {3}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double k2 = par[1];
  const double c = par[2];
  const double p = par[3];
  gestoppt::Berechnen(
      in, NP, {gestoppt::Art::kNegativBinomial, k, c}, summanden::NegativBinomial(k2, p),
      [&](std::uint32_t j) { return (j + static_cast<long double>(k2) - 1) * (1.0L - p) / j; });
}

}  // namespace

// clang-format off
const Member kM148NegativeBinomialNegativeBinomial{.nummer = 148,
    .name = "Negative binomial-negative binomial", .parZahl = 4,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
