// SPDX-License-Identifier: GPL-3.0-or-later
// Member 64: a zeta-type distribution on the values 1, 2, ... from differences of odd powers.
//   P(x) = (2x - 1)^-a - (2x + 1)^-a;  a > 0 (the differences telescope to 1). Every class below
//   the last by the formula; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double N = in.stat.summe;
  const KlassenHaeufigkeiten& f = in.f;
  E[0] = -std::log(1 - f[0] / N) / std::log(3.0);
  E[1] = -std::log(1 - f[0] / N - f[1] / N) / std::log(5.0);
}

constexpr Alternative kAlternativen[] = {{{0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  // The two powers agree in nearly every digit when a is small or x large; their difference is
  // then (2x + 1)^-a (e^d - 1) with d = a ln((2x + 1)/(2x - 1)) below 1, the logarithm of
  // 1 + 2/(2x - 1) and the exponential less 1 each taken without the cancellation. Where d is 1
  // or more the second power is below 0.37 of the first and the written difference is sound.
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    const double x = static_cast<double>(in.x[i]);
    const double d = a * std::log1p(2 / (2 * x - 1));
    if (d < 1) return N * std::pow(2 * x + 1, -a) * std::expm1(d);
    return N * (std::pow(2 * x - 1, -a) - std::pow(2 * x + 1, -a));
  });
}

}  // namespace

// clang-format off
const Member kM064OddPowerDifferences{.nummer = 64, .name = "Odd-power zeta", .parZahl = 1,
    .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
