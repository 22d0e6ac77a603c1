// SPDX-License-Identifier: GPL-3.0-or-later
// Member 147: geometric distribution with a modified zero.
//   P(0) = 1 - w, P(x) = w (1 - q) q^(x-1) for x >= 1;  0 < q < 1, 0 < w < 1.
//   The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double m1 = in.stat.m1;
  E[1] = 1 - g[0] / in.stat.summe;
  E[0] = g[2] / g[1];
  E[50] = 1 - E[1] / m1;
  E[100] = 1 - 2 * (m1 - E[1]) / in.stat.fm2;
}

// (q, w): (E[0], E[1]), (E[50], E[1]), (E[100], E[1]), (mean of the three q, E[1]).
constexpr Alternative kAlternativen[] = {
    {{0}, {1}}, {{50}, {1}}, {{100}, {1}}, {{0, 50, 100}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double q = par[0];
  const double w = par[1];
  const double N = in.stat.summe;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double vorher) {
    if (i == 0) return N * (1 - w);
    if (i == 1) return N * w * (1 - q);
    return q * vorher;
  });
}

}  // namespace

// clang-format off
const Member kM147ZeroModifiedGeometric{.nummer = 147, .name = "Zero-modified geometric",
    .parZahl = 2, .traeger = Traeger::kNull, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
