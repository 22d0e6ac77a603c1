// SPDX-License-Identifier: GPL-3.0-or-later
// Member 82: Borel-Tanner distribution.
//   P(x) = b x^{x-b-1} e^{-a x} a^{x-b} / (x - b)!,  x = b, b + 1, ... (the class values, the
//   first one b);  a in (0, 1), b fixed, the first value of the data. The last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m1 = in.stat.m1;
  const double b = in.eig.festparameter[0];
  // The mean b/(1 - a) solved for a; m1 - b/m1, at least b - 1 for every mean from b on, leaves
  // (0, 1) whenever b >= 2.
  E[0] = (m1 - b) / m1;
  E[1] = b * b * in.stat.m2 / (m1 * m1 * m1);
  if (E[1] >= 1) E[1] = 0.9;
}

constexpr Alternative kAlternativen[] = {{{0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = in.eig.festparameter[0];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  // Class 0 holds the value b: a b above the second value (or not positive) leaves a class with
  // x - b <= 0, where the probability is not defined.
  if (!(b > 0) || (L > 0 && !(static_cast<double>(in.x[1]) - b > 0))) RaiseInvalid();
  const double aea = a * std::exp(-a);
  // x^{x-b-1} / (x - 1)^{x-b-2} = x (x/(x - 1))^{x-b-2}: the quotient of two powers that
  // overflow from x of about 150 on, as one power that stays near e^{1 + ...}.
  RekursionMitRest(NP, L, N, N * std::exp(-a * b), [&](std::uint32_t i, double vorher) {
    const double x = in.x[i];
    return vorher * aea * x * std::exp((x - b - 2) * std::log1p(1 / (x - 1))) / (x - b);
  });
}

}  // namespace

// clang-format off
const Member kM082BorelTanner{.nummer = 82, .name = "Borel-Tanner", .parZahl = 1,
    .festparZahl = 1, .traeger = Traeger::kNichtNull, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
