// SPDX-License-Identifier: GPL-3.0-or-later
// Member 207: Sibuya distribution.
//   P(x) = a (1 - a)(2 - a)...(x - 1 - a) / x! = a Gamma(x - a) / (Gamma(1 - a) x!),
//   x = 1, 2, ...;  0 < a < 1. Class i holds the value i + 1: P(1) = a,
//   P(x) = P(x-1) (x - 1 - a)/x. The last class takes the remainder.
#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  E[0] = in.f[0] / in.stat.summe;
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  RekursionMitRest(NP, in.stat.n, N, N * a,
                   [&](double i, double vorher) { return vorher * (i - a) / (i + 1); });
}

}  // namespace

// clang-format off
const Member kM207Sibuya{.nummer = 207, .name = "Sibuya", .parZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
