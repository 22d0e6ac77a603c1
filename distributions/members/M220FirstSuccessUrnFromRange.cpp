// SPDX-License-Identifier: GPL-3.0-or-later
// Member 220: failures before the first success, drawing without replacement, with a - 1
// failures and b successes.
//   P(0) = b/(a + b - 1), P(x) = P(x-1) (a - x)/(a - x - 1 + b),  x = 0..a-1;  a natural, b > 0.
//   The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/ErsterTreffer.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const double a = static_cast<double>(in.x[L]) - static_cast<double>(in.x[0]) + 1;
  const double c = in.f[0] / in.stat.summe;
  // b from P(0) = c and from the mean (a - 1)/(b + 1); where one cannot be formed (c = 1, a
  // mean of 0) it takes the other.
  const double ausNull = erstertreffer::AnteilAusNullklasse(a - 1, c);
  const double ausMittel = in.stat.m1 > 0 ? (a - 1) / in.stat.m1 - 1 : ausNull;
  E[0] = a;
  E[1] = c < 1 ? ausNull : ausMittel;
  E[50] = a;
  E[51] = ausMittel;
}

// Alts (a, b): 1 (E[0], E[1]); 2 (E[50], E[51]).
constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{50}, {51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  erstertreffer::Klassen(
      in, NP, b / ((a - 1) + b),
      [&] { return std::log(static_cast<Summe>(b)) - std::log((static_cast<Summe>(a) - 1) + b); },
      [&](double x) { return a - x; }, [&](double x) { return (a - x - 1) + b; });
}

}  // namespace

// clang-format off
const Member kM220FirstSuccessUrnFromRange{.nummer = 220,
    .name = "First success without replacement (a - 1 failures)", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
