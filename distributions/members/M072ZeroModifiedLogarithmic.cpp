// SPDX-License-Identifier: GPL-3.0-or-later
// Member 72: zero-modified logarithmic series distribution.
//   P(0) = 1 - b;  P(x) = b (-1/ln(1 - a)) a^x / x,  x = 1, 2, ...;  a in (0, 1), b in [0, 1]
//   fixed (the share of the data above 0). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double fm2 = in.stat.fm2;
  E[0] = (2 * f1 / f0 + 3 * f2 / (2 * f1)) / 2;
  InEinheitsintervallKorrigieren(E[0]);
  E[1] = fm2 / (fm2 + in.stat.m1);
  E[50] = in.eig.festparameter[0];
}

// Alt 1: E[0]; Alt 2: E[1]; Alt 3: (E[0] + E[1])/2.
constexpr Alternative kAlternativen[] = {{{0}}, {{1}}, {{0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = in.eig.festparameter[0];
  // A share outside [0, 1] would give class 0 or the others a negative probability.
  if (!(b >= 0 && b <= 1)) RaiseInvalid();
  const double N = in.stat.summe;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double vorher) {
    if (i == 0) return N * (1 - b);
    if (i == 1) return N * (-b * a / std::log1p(-a));
    const double di = i;
    return vorher * (di - 1) * a / di;
  });
}

}  // namespace

// clang-format off
const Member kM072ZeroModifiedLogarithmic{.nummer = 72, .name = "Zero-modified logarithmic",
    .parZahl = 1, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
