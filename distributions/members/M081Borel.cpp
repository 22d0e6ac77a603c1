// SPDX-License-Identifier: GPL-3.0-or-later
// Member 81: Borel distribution.
//   P(x) = e^{-a x} (a x)^{x-1} / x!,  x = 1, 2, ... (the class values);  a in (0, 1). The last
//   class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m1 = in.stat.m1;
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = (m1 - 1) / m1;
  E[1] = in.stat.m2 / (m1 * m1 * m1);
  if (E[1] >= 1) E[1] = 0.9;
  E[2] = -std::log(g[0] / in.stat.summe);
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  const double aea = a * std::exp(-a);
  // (x/(x - 1))^{x-2} as e^{(x-2) ln(1 + 1/(x - 1))}: the rounding of the quotient x/(x - 1) would
  // be raised to the power x - 2 and grow with the class value.
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double vorher) {
    if (i == 0) return N * std::exp(-a);
    if (i == 1) return N * a * std::exp(-2 * a);
    const double x = in.x[i];
    return vorher * aea * std::exp((x - 2) * std::log1p(1 / (x - 1)));
  });
}

}  // namespace

// clang-format off
const Member kM081Borel{.nummer = 81, .name = "Borel", .parZahl = 1, .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
