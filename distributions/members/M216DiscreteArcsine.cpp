// SPDX-License-Identifier: GPL-3.0-or-later
// Member 216: discrete arcsine distribution.
//   P(l) = C(2l, l) C(2a - 2l, a - l)/4^a,  l = 0..a;  a natural. The last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  E[0] = static_cast<double>(in.x[L]) - static_cast<double>(in.x[0]);
}

constexpr Alternative kAlternativen[] = {{{0}}};

// Up to here 4^a and C(2a, a) are both ordinary doubles.
constexpr std::uint32_t kGrenzeGeschlossen = 500;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  const std::uint32_t k = FaktorAnzahl(a);
  // P(0) = C(2a, Int(a))/4^a. From a = 512 on 4^a, and C(2a, a) soon after, leave the double
  // range although their quotient is about 1/sqrt(pi a): there it is the same number as the
  // product of (2i - 1)/(2i) over i = 1..a.
  double p0 = 0;
  if (k <= kGrenzeGeschlossen) {
    p0 = Binomialkoeffizient(static_cast<std::int32_t>(k), 2 * a) / std::pow(4.0, a);
  } else {
    p0 = Produkt(1.0, 1, k + 1, [](double i) { return (2 * i - 1) / (2 * i); });
  }
  // a - l + 1 reaches 0 at l = a + 1; a - l + 0.5 is never 0 for a whole a, so the classes
  // after it stay 0.
  RekursionMitRest(NP, in.stat.n, N, N * p0, [&](double l, double vorher) {
    return vorher * (a - l + 1) * (l - 0.5) / ((a - l + 0.5) * l);
  });
}

}  // namespace

// clang-format off
const Member kM216DiscreteArcsine{.nummer = 216, .name = "Discrete arcsine", .parZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
