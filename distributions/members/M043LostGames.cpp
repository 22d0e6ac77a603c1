// SPDX-License-Identifier: GPL-3.0-or-later
// Member 43: lost-games distribution: the total progeny of a branching process started by m
// individuals with geometric offspring of mean a (also the number of games lost in a gambler's
// ruin setting).
//   P(x) = (m/x) C(2x - m - 1, x - m) a^(x-m) / (1 + a)^(2x-m),  x = m, m + 1, ...;
//   m the first value of the data (fixed), 0 < a < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/VonInnen.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  // The mean m/(1 - a), and the variance m a (1 + a)/(1 - a)^3 with 1 + a taken as about 1.
  const double m = in.eig.festparameter[0];
  const double m1 = in.stat.m1;
  E[0] = (m1 - m) / m1;
  E[1] = std::fabs(m * m * in.stat.m2 / (m1 * m1 * (m1 - m)) - 1);
}

constexpr Alternative kAlternativen[] = {{{0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double m = in.eig.festparameter[0];
  const double N = in.stat.summe;
  const double a1 = a + 1;
  const double x0 = static_cast<double>(in.x[0]);
  const std::uint32_t L = in.stat.n;
  const auto verhaeltnis = [&](std::uint32_t i) {
    const double xi = static_cast<double>(in.x[i]);
    return (2 * xi - m - 1) * (2 * xi - m - 2) * a / (xi * (xi - m) * a1 * a1);
  };
  const double start = std::pow(a1, -x0);
  if (start < voninnen::kKleinsterStart && L > 0) {
    // Many ancestors: (a + 1)^-x0 below the double range, the classes near the mode not.
    voninnen::Leeren(NP, L);
    voninnen::AusLogarithmen(NP, L, -x0 * std::log(a1), N, verhaeltnis);
    RestklasseSetzen(NP, L, N, voninnen::Unterhalb(NP, L));
    return;
  }
  RekursionMitRest(NP, L, N, N * start, [&](std::uint32_t i, double vorher) {
    const double xi = static_cast<double>(in.x[i]);
    return vorher * (2 * xi - m - 1) * (2 * xi - m - 2) * a / (xi * (xi - m) * a1 * a1);
  });
}

}  // namespace

// clang-format off
const Member kM043LostGames{.nummer = 43, .name = "Lost games", .parZahl = 1, .festparZahl = 1,
    .traeger = Traeger::kNichtNull, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
