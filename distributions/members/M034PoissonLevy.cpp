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
  const KlassenHaeufigkeiten& f = in.f;
  // The mean of the estimates from P(0) and from P(1)/P(0).
  const auto g = ErsetzteAnfangsklassen(f, in.stat.n);
  const double l = std::log(g[0] / in.stat.summe);
  E[0] = (l * l / 2 + 2 * g[1] * g[1] / (g[0] * g[0])) / 2;
}

constexpr Alternative kAlternativen[] = {
    {{0}},
};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  NP[0] = N * std::exp(-std::sqrt(2 * a));
  Summe summe = 0;
  if (L > 0) summe = NP[0];
  if (L > 1) {
    NP[1] = NP[0] * std::sqrt(a / 2);
    summe += NP[1];
  }
  for (std::uint32_t i = 2; i < L; ++i) {
    const double di = static_cast<double>(i);
    NP[i] = (2 * di - 3) * NP[i - 1] / (2 * di) + a * NP[i - 2] / (2 * di * (di - 1));
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

const Member kM034PoissonLevy{
    .nummer = 34,
    .name = "Poisson-Levy",
    .parZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen,
};

}  // namespace vk::members
