// SPDX-License-Identifier: GPL-3.0-or-later
// Member 217: failures before the first success, drawing without replacement, with a - 1
// successes and b failures.
//   P(0) = (a - 1)/(a + b - 1), P(x) = P(x-1) (b - x + 1)/(b + a - x - 1),  x = 0..b;  a > 1,
//   b natural. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/ErsterTreffer.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const double b = static_cast<double>(in.x[L]) - static_cast<double>(in.x[0]);
  const double c = in.f[0] / in.stat.summe;
  // a from P(0) = c and from the mean. Where no class but the first holds data (c = 1), or the
  // mean is 1, the one estimate takes the other.
  const double ausNull = c < 1 ? (c * (b - 1) + 1) / (1 - c) : 0.0;
  const double ausMittel = in.stat.m1 != 1 ? (b - 1) / (in.stat.m1 - 1) : 0.0;
  E[0] = c < 1 ? ausNull : ausMittel;
  E[50] = in.stat.m1 != 1 ? ausMittel : ausNull;
  E[1] = b;
  E[51] = b;
}

// Alts (a, b): 1 (E[0], E[1]); 2 (E[50], E[51]).
constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{50}, {51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  erstertreffer::Klassen(
      in, NP, (a - 1) / (b + (a - 1)),
      [&] {
        return std::log(static_cast<Summe>(a) - 1) - std::log(b + (static_cast<Summe>(a) - 1));
      },
      [&](double x) { return b - x + 1; }, [&](double x) { return (b - x) + (a - 1); });
}

}  // namespace

// clang-format off
const Member kM217FirstSuccessUrnShifted{.nummer = 217,
    .name = "First success without replacement (a - 1 successes)", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
