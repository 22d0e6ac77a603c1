// SPDX-License-Identifier: GPL-3.0-or-later
// Member 221: failures before the first success, drawing without replacement from an urn of
// b + 1 balls of which a are failures.
//   P(0) = (b - a + 1)/(b + 1), P(x) = P(x-1) (a - x + 1)/(b - x + 1),  x = 0..a;
//   a, b whole, L - 1 <= a <= b (repaired so). The last class takes the remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/ErsterTreffer.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double c = in.f[0] / N;
  const double c1 = KlasseOderNull(in.f, L, 1) / N;
  // a from the range of the values and b from P(0) = (b - a + 1)/(b + 1); E[50], E[51] from the
  // shares of the first two classes. Where a denominator vanishes (all data in the first class,
  // or f[1]/N = c (1 - c) exactly) the slot takes the other estimate of its parameter.
  E[0] = static_cast<double>(in.x[L]) - static_cast<double>(in.x[0]);
  const double d = c1 - c * (1 - c);
  E[1] = c < 1 ? (c + E[0] - 1) / (1 - c) : E[0];
  E[51] = d != 0 ? c * (1 - c) / d : E[1];
  E[50] = d != 0 ? (1 - c) * (E[51] + 1) : E[0];
}

// Alts (a, b): 1 (E[0], E[1]); 2 (E[50], E[51]).
constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{50}, {51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  // The urn must hold at least as many failures as the data need classes (L - 1), and no more
  // failures than balls: a and b below L - 1 become L - 1, then a above b becomes b.
  const double untergrenze = static_cast<double>(in.stat.n) - 1;
  par[0] = std::max(par[0], untergrenze);
  par[1] = std::max(par[1], untergrenze);
  if (par[0] > par[1]) par[0] = par[1];
  const double a = par[0];
  const double b = par[1];
  erstertreffer::Klassen(
      in, NP, (b - a + 1) / (b + 1),
      [&] { return std::log(static_cast<Summe>(b) - a + 1) - std::log(static_cast<Summe>(b) + 1); },
      [&](double x) { return a - x + 1; }, [&](double x) { return b - x + 1; });
}

}  // namespace

// clang-format off
const Member kM221FirstSuccessUrnTotal{.nummer = 221,
    .name = "First success without replacement (b + 1 balls)", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
