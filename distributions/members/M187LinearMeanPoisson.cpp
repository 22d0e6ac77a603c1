// SPDX-License-Identifier: GPL-3.0-or-later
// Member 187: Poisson with a mean growing linearly in the class (a Lagrangian form).
//   P(x) = (1 - b) (a + b x)^x e^{-(a + b x)} / x!,  x = 0, 1, ...;  a > 0, -1 <= b < 1; the
//   classes with a + b x <= 0 (b < 0) are 0. b = 0 is the Poisson distribution. The last class
//   takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// b from P(0) = (1 - b) e^-a, a from P(1)/P(0) = e^-b (a + b), alternately from (1.0, 0.5).
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double N = in.stat.summe;
  double a = 1.0, b = 0.5;
  for (int runde = 0; runde < 101; ++runde) {
    double b2 = std::fabs(1 - std::exp(a) * g[0] / N);
    if (b2 >= 1) b2 = 0.5;
    const double a2 = std::fabs(std::exp(b) * g[1] / g[0] - b);
    const bool fertig = std::fabs(a - a2) < 0.0001;
    a = a2;
    b = b2;
    if (fertig) break;
  }
  E[50] = a;
  E[51] = b;
}

constexpr Alternative kAlternativen[] = {{{50}, {51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const double eb = std::exp(-b);
  // ((a + i b)/(a + (i - 1) b))^i as e^{i ln(1 + b/(a + (i - 1) b))}: the rounding of the
  // quotient would be raised to the power i.
  const auto schritt = [&](std::uint32_t i, double vorher) {
    const double x = i;
    if (!(a + x * b > 0)) return 0.0;
    const double m = a + (x - 1) * b;
    return vorher * eb * m * std::exp(x * std::log1p(b / m)) / x;
  };
  // (1 - b) e^-a is 0 in double from a of about 745 on: the classes then start at the largest.
  RekursionMitRestGeschuetzt(
      NP, in.stat.n, N, (1 - b) * std::exp(-a),
      [&] { return std::log(static_cast<Summe>(1 - b)) - a; }, schritt);
}

}  // namespace

// clang-format off
const Member kM187LinearMeanPoisson{.nummer = 187, .name = "Linear-mean Poisson", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
