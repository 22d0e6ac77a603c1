// SPDX-License-Identifier: GPL-3.0-or-later
// Member 202: a Waring-type distribution normalised by the trigamma function.
//   P(x) = Gamma(x) Gamma(a + 1) / (x Gamma(x + a) a psi'(a)),  x = 1, 2, ...;  a > 0, so that
//   P(1) = 1/(a psi'(a)) with psi'(a) = sum_{i >= 0} 1/(i + a)^2 and
//   P(x) = P(x-1) (x - 1)^2 / (x (x + a - 1)). Data from 1; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PolygammaReihen.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[1] = std::fabs(g[0] / (2 * g[1]) - 1);
  if (E[1] == 0) E[1] = 0.9;
}

constexpr Alternative kAlternativen[] = {{{1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  // The sum over i = 0..L + 100 with the rest of the series added: its terms fall like 1/i^2, so
  // the cut-off would leave out about 1/(L + 100) of it.
  const double S = static_cast<double>(polygamma::Trigamma(a, UnendlicherTraeger(L)));
  RekursionMitRest(NP, L, N, N / (a * S), [&](std::uint32_t i, double vorher) {
    const double x = in.x[i];
    return vorher * (x - 1) * (x - 1) / (x * (x + a - 1));
  });
}

}  // namespace

// clang-format off
const Member kM202TrigammaWaring{.nummer = 202, .name = "Trigamma-normalised Waring type",
    .parZahl = 1, .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
