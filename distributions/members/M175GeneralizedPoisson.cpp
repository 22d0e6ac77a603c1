// SPDX-License-Identifier: GPL-3.0-or-later
// Member 175: generalized Poisson (Lagrangian Poisson) distribution.
//   P(x) = a (a + x b)^(x-1) e^(-a-xb) / x!,  x = 0, 1, 2, ...;  a > 0, 0 <= b < 1
//   (b = 0: Poisson with mean a). The classes by the ratio P(i)/P(i-1) from P(0) = e^-a; where
//   e^-a is below the normal range (a above about 708) the recurrence starts at the largest class.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Lagrange.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// b held inside (-1/a, 1/a) as the estimates keep it: at or above 1/a it becomes
// 1/a - 0.01, at or below -1/a it becomes 1/a + 0.01.
double Begrenzt(double b, double a) {
  if (b >= 1 / a) return 1 / a - 0.01;
  if (b <= -1 / a) return 1 / a + 0.01;
  return b;
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  E[0] = std::sqrt(M * M * M / m2);
  E[1] = Begrenzt(1 - E[0] / M, E[0]);
  E[5] = 1 - std::sqrt(M / m2);
  E[4] = (1 - E[5]) * M;
  // Newton-type rounds on b, with a = (1 - b) M.
  E[250] = E[0];
  E[251] = E[1];
  for (int runde = 0; runde < 31; ++runde) {
    const double b = E[251];
    Summe s1 = 0, s2 = 0;
    bool teilbar = true;
    for (std::uint32_t h = 2; h <= L; ++h) {
      const double dh = static_cast<double>(h);
      const double n1 = M + (dh - M) * b;
      const double n2 = M - (dh - M) * b;
      // A class at which a denominator vanishes leaves no step to take.
      if (n1 == 0 || n2 == 0) teilbar = false;
      if (!teilbar) break;
      s1 += dh * (dh - 1) * in.f[h] / n1;
      s2 += dh * (dh - 1) * (dh - M) * in.f[h] / (n2 * n2);
    }
    if (!teilbar || s2 == 0) break;
    E[251] = Begrenzt(static_cast<double>((s1 - N * M) / s2) + b, E[250]);
    E[250] = (1 - E[251]) * M;
    if (std::fabs(E[251] - b) < 0.00001) break;
  }
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{4}, {5}}, {{250}, {251}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  RekursionMitRestGeschuetzt(
      NP, in.stat.n, in.stat.summe, std::exp(-a), [&] { return static_cast<Summe>(-a); },
      [&](double i, double vorher) { return vorher * lagrange::GpVerhaeltnis(a, b, i); });
}

}  // namespace

// clang-format off
const Member kM175GeneralizedPoisson{.nummer = 175, .name = "Generalized Poisson", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
