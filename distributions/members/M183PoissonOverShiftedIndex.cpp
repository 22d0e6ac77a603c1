// SPDX-License-Identifier: GPL-3.0-or-later
// Member 183: Poisson terms weighted by 1/(i + a).
//   P(i) proportional to a^i / (i! (i + a)),  i = 0, 1, ...;  a > 0 (a = 0 becomes 0.01 and is
//   written back). The normaliser is the sum over the whole support; the last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/GewichtetePoisson.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& s = in.stat;
  E[0] = std::sqrt(s.m1 * s.m1 + s.m2);
  E[1] = ((2 - s.m2) * s.fm2 + s.fm3 - s.m1 * s.m1) / s.m1;
}

constexpr Alternative kAlternativen[] = {{{0}}, {{1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[0] == 0) par[0] = 0.01;
  const long double a = par[0];
  const std::uint32_t L = in.stat.n;
  // r[0] = e^-a / a, r[i] = r[i-1] a (i + a - 1)/(i (i + a)), normalised. Past L + 100 the sum
  // goes on while the terms still count: for a near or above L the mode itself lies beyond.
  gewichtetepoisson::NormierteTermeLang(
      NP, L, UnendlicherTraeger(L), in.stat.summe, std::exp(-a) / a, true,
      [&](std::uint32_t i, long double r) { return r * a * (i + a - 1) / (i * (i + a)); });
}

}  // namespace

// clang-format off
const Member kM183PoissonOverShiftedIndex{.nummer = 183, .name = "Poisson over shifted index",
    .parZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
