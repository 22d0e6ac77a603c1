// SPDX-License-Identifier: GPL-3.0-or-later
// Member 168: geometric distribution with a modified first step.
//   P(0) = 1 - a,  P(1) = a (1 - b)(1 - a),  P(i) = (b + (1 - b) a) P(i-1) for i >= 2;
//   0 < a < 1, 0 < b < 1. The classes from 1 on hold a, geometrically with ratio b + (1 - b) a.
#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double N = in.stat.summe;
  E[0] = 1 - g[0] / N;
  E[1] = 1 - g[1] / (E[0] * (1 - E[0]) * N);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const double q = b + (1 - b) * a;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double vorher) {
    if (i == 0) return N * (1 - a);
    return i == 1 ? a * (1 - b) * vorher : q * vorher;
  });
}

}  // namespace

// clang-format off
const Member kM168GeometricModifiedFirst{.nummer = 168, .name = "Geometric with a modified first step",
    .parZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
