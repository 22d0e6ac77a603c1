// SPDX-License-Identifier: GPL-3.0-or-later
// Member 141: negative binomial stopped sum of geometric summands.
//   A NB(k, c) number of summands, each geometric on 0, 1, ... with g_j = p (1 - p)^j;
//   pgf (c / (1 - (1 - c) g(s)))^k, g(s) = p / (1 - (1 - p) s);  k > 0, 0 < p < 1, 0 < c < 1.
//   Computed by the negative binomial convolution recurrence; the last class takes the remainder.
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
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  E[51] = 0.5;
  for (int runde = 0; runde < 10; ++runde) {
    E[1] = E[51];
    E[51] = M * (E[1] * E[1] * M * g[0] + (1.01 - E[1]) * g[1]) / (m2 * g[1]);
    InEinheitsintervallKorrigieren(E[51]);
    if (std::fabs(E[1] - E[51]) < 0.0001) break;
  }
  E[102] = M * M * g[1] * g[1] / (N * N) - 4 * M * M * (g[0] / N) * (M * g[1] / N - g[1] * m2 / N);
  E[101] =
      E[102] > 0 ? std::fabs((M * g[1] / N - std::sqrt(E[102])) / (2 * M * M * g[0] / N)) : E[51];
  E[2] = std::fabs((1 - E[51]) * g[1] / (E[51] * (E[51] * M * g[0] - g[1])));
  if (E[2] >= 1) E[2] = 0.5;
  E[0] = M * E[51] * E[2] / ((1 - E[51]) * (1 - E[2]));
  E[52] = std::fabs((1.01 - E[101]) * g[1] / (E[101] * (E[101] * M * g[0] - g[1])));
  E[50] = E[101] * M * E[52] / ((1.01 - E[101]) * (1.01 - E[52]));
}

// Alt 1: (E[0], E[1], E[2]); Alt 2: (E[50], E[101], E[52]); Alt 3: their means.
constexpr Alternative kAlternativen[] = {
    {{0}, {1}, {2}}, {{50}, {101}, {52}}, {{0, 50}, {1, 101}, {2, 52}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double c = par[2];
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kNegativBinomial, k, c}, summanden::Geometrisch(p),
                      [&](std::uint32_t) { return 1.0L - static_cast<long double>(p); });
}

}  // namespace

// clang-format off
const Member kM141NegativeBinomialGeometric{.nummer = 141, .name = "Negative binomial-geometric",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
