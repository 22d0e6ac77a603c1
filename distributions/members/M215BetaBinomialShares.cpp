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
  // P(0) = C(a + b - 1, Int(b)), the product of (a + b - i)/i over i = 1..Int(b), taken with
  // its numerators in reverse order: (u + j - 1)/j, u = a + (b - Int(b)). The factors then stay
  // below 1 and the product never passes the double range on its way to a small result (in the
  // written order it rises to about C(b, b/2) first, past the range from b = 1030 on), and the
  // last numerator a + b - Int(b) no longer loses a's digits to the rounding of a + b - 1.
  const std::uint32_t k = FaktorAnzahl(b);
  const double u = a + (b - k);
  const double p0 = Produkt(1.0, 1, k + 1, [&](double j) { return (u + (j - 1)) / j; });
  // b - x + 1 reaches 0 at x = b + 1, and every class after it stays 0 (the denominator
  // b - x + a is never 0 for a strictly between 0 and 1).
  RekursionMitRest(NP, in.stat.n, N, N * p0, [&](double x, double vorher) {
    return vorher * (x - a) * (b - x + 1) / ((b - x + a) * x);
  });
}

}  // namespace

// clang-format off
const Member kM215BetaBinomialShares{.nummer = 215,
    .name = "Beta-binomial (shares 1 - a and a)", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
