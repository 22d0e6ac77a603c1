// SPDX-License-Identifier: GPL-3.0-or-later
// Member 215: beta-binomial distribution with beta parameters 1 - a and a.
//   P(x) = C(b, x) B(x + 1 - a, b - x + a)/B(1 - a, a),  x = 0..b;  0 < a < 1, b natural (the
//   number of trials); P(0) = C(a + b - 1, b). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  // b from the range of the values, a from the mean b (1 - a). Two classes leave E[1] - 1 = 0;
  // a then starts in the middle of its range.
  E[1] = static_cast<double>(in.x[L]) - static_cast<double>(in.x[0]);
  E[0] = E[1] != 1 ? 1 - in.stat.m1 / (E[1] - 1) : 0.5;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  // Int(b) factors: b - x + 1 reaches 0 at x = b + 1, and every class after it stays 0 (the
  // denominator b - x + a is never 0 for a strictly between 0 and 1).
  const auto k = static_cast<std::int32_t>(FaktorAnzahl(b));
  RekursionMitRest(
      NP, in.stat.n, N, N * Binomialkoeffizient(k, a + b - 1),
      [&](double x, double vorher) { return vorher * (x - a) * (b - x + 1) / ((b - x + a) * x); });
}

}  // namespace

// clang-format off
const Member kM215BetaBinomialShares{.nummer = 215,
    .name = "Beta-binomial (shares 1 - a and a)", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
