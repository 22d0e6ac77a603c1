// SPDX-License-Identifier: GPL-3.0-or-later
// Member 54: geometric distribution right-truncated at n.
//   P(i) = (1 - p) p^i / (1 - p^(n+1)),  i = 0..n;  n the last value of the data (fixed),
//   p > 0, p != 1 (above 1 the probabilities rise). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The written difference is kept until it would lose three digits (its operands within this of
// each other, relatively); closer, the same number comes from a form without the difference.
inline constexpr double kNahe = 1e-3;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double n = in.eig.festparameter[0];
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  E[0] = (fm2 - n * m1) / (fm2 - m1 * (n - 2) - n);
  const double f0 = in.f[0];
  const double N = in.stat.summe;
  E[1] = (f0 > 0) ? in.f[1] / f0 : E[0];
  E[2] = (m1 - (1 - f0 / N) * (n + 1)) / (m1 - n);
  E[3] = (N - f0) / (N - in.f[in.stat.n]);
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2, 3}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const double n = in.eig.festparameter[0];
  const double N = in.stat.summe;
  // (1 - p)/(1 - p^(n+1)) = 1/(1 + p + ... + p^n): at p = 1 the limit 1/(n + 1), near 1 the
  // denominator through expm1, where 1 - p^(n+1) would keep only the digits of p's distance to 1
  // (1 - p itself is exact there).
  double anfang = 0;
  if (p == 1) {
    anfang = 1 / (n + 1);
  } else if (std::fabs(1 - p) < kNahe) {
    anfang = (1 - p) / -std::expm1((n + 1) * std::log(p));
  } else {
    anfang = (1 - p) / (1 - std::pow(p, n + 1));
  }
  RekursionMitRest(NP, in.stat.n, N, N * anfang, [&](double, double vorher) { return vorher * p; });
}

}  // namespace

// clang-format off
const Member kM054TruncatedGeometric{.nummer = 54, .name = "Right-truncated geometric",
    .parZahl = 1, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
