// SPDX-License-Identifier: GPL-3.0-or-later
// Member 53: Waring distribution with rho = 2 on the values 1, 2, 3, ...
//   P(x) = 2 a (a + 1) / ((x + a - 1)(x + a)(x + a + 1)),  x = 1, 2, ...;  a > 0;
//   P(1) = 2/(a + 2) and P(x)/P(x - 1) = (x + a - 2)/(x + a + 1). The last class takes N minus
//   the others without an absolute value.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double f0 = in.f[0];
  const double anteil = f0 / in.stat.summe;
  E[0] = in.stat.m1 - 1;
  E[1] = (f0 > 0) ? 2 * (1 - anteil) / anteil : E[0];
}

constexpr Alternative kAlternativen[] = {{{0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  RekursionMitRest(
      NP, in.stat.n, N, N * 2 / (a + 2),
      [&](std::uint32_t i, double vorher) {
        const double xi = static_cast<double>(in.x[i]);
        return vorher * (xi + a - 2) / (xi + a + 1);
      },
      Restregel::kOhneBetrag);
}

}  // namespace

// clang-format off
const Member kM053PositiveWaring{.nummer = 53, .name = "Waring (rho = 2) from 1", .parZahl = 1,
    .traeger = Traeger::kEins, .rest = Restregel::kOhneBetrag,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
