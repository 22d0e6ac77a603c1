// SPDX-License-Identifier: GPL-3.0-or-later
// Member 213: member 212 right-truncated at the last class.
//   P(x) proportional to a/(2x + a) C(2x + a, x) 2^-(2x + a),  x = 0..L;  a > 0. Every class by
//   the formula, no remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Catalan.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = catalan::AusErstemVerhaeltnis(g[0], g[1]);
  E[50] = catalan::AusZweitemVerhaeltnis(g[1], g[2]);
  // The second ratio's estimate falls below 0 where f[2]/f[1] < 3/8; it then takes the first.
  if (!(E[50] > 0)) E[50] = E[0];
}

constexpr Alternative kAlternativen[] = {{{0}}, {{50}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  // The terms rise to a mode near a^2/6 when a is large: normalised relative to the largest
  // where they would pass the double range.
  NormierteTermeBisL(
      NP, in.stat.n, in.stat.summe,
      [&](double x, double vorher) { return vorher * catalan::Verhaeltnis(a, x); },
      Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM213CatalanPowerRightTruncated{.nummer = 213,
    .name = "Right-truncated Catalan power", .parZahl = 1, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
