// SPDX-License-Identifier: GPL-3.0-or-later
// Member 17: Waring distribution with second parameter 2.
//   P(i) = a (a + 1) B(i + 2, a + 1) = a (2)_i / (a + 2)_(i+1),  i = 0, 1, 2, ...;  a > 0: the
//   Waring distribution with rho = a and alpha = 2. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  // From the first ratio P(1)/P(0) = 2/(a + 3).
  const auto g = ErsetzteAnfangsklassen(f, in.stat.n);
  E[0] = (2 * g[0] - 3 * g[1]) / g[1];
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  RekursionMitRest(NP, in.stat.n, N, N * (a / (a + 2)),
                   [&](double i, double vorher) { return vorher * (i + 1) / (i + a + 2); });
}

}  // namespace

// clang-format off
const Member kM017WaringAlphaTwo{.nummer = 17, .name = "Waring (alpha = 2)", .parZahl = 1,
    .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
