// SPDX-License-Identifier: GPL-3.0-or-later
// Member 159: geometric distribution with a share w of class 1 moved to class 0.
//   P(0) = (1 - q)(1 + q w), P(1) = q (1 - q)(1 - w), P(i) = (1 - q) q^i for i >= 2;
//   0 < q < 1, 0 < w < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// q from the factorial moments of the geometric, w from the mean q/(1 - q) - w q (1 - q).
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double fm2 = in.stat.fm2;
  const double fm3 = in.stat.fm3;
  E[0] = fm3 / (fm3 + 3 * fm2);
  E[1] = std::fabs((E[0] - (1 - E[0]) * in.stat.m1) / (E[0] * (1 - E[0]) * (1 - E[0])));
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double q = par[0];
  const double w = par[1];
  const double N = in.stat.summe;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double vorher) {
    if (i == 0) return N * (1 - q) * (1 + q * w);
    if (i == 1) return N * q * (1 - q) * (1 - w);
    if (i == 2) return N * q * q * (1 - q);
    return q * vorher;
  });
}

}  // namespace

// clang-format off
const Member kM159GeometricShareMovedToZero{.nummer = 159,
    .name = "Geometric with a share of class 1 moved to 0", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
