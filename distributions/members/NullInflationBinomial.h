// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/RekursionAbKlasse.h"

// What the zero-inflated binomial members share: member 102 (n fixed) and member 103 (n free,
// its p and b estimated as in member 102 with its own estimate of n).
//   P(0) = b (1 - p)^n + 1 - b,  P(i) = b C(n, i) p^i (1 - p)^(n - i) for i >= 1.
namespace vk::members::nullinflation {

// The classes by the binomial ratio from class 1 on, the last class as the remainder. A number
// of trials that is not whole would turn the ratio negative beyond n: no distribution. Where
// P(1) lies below the normal range (a mode far above class 1), the classes from 1 on start at
// the largest one, from ln P(1) = ln b + ln n + ln p + (n - 1) ln(1 - p).
inline void BinomialBerechnen(Erwartungswerte& NP, const TStatistik& stat, double n, double p,
                              double b) {
  if (n != std::trunc(n)) RaiseInvalid();
  const double N = stat.summe;
  const std::uint32_t L = stat.n;
  const double q = 1 - p;
  const double qn1 = std::pow(q, n - 1);
  NP[0] = N * (b * std::pow(q, n) + (1 - b));
  const auto logP1 = [&] {
    if (!(b > 0)) return -std::numeric_limits<Summe>::infinity();
    return std::log(static_cast<Summe>(b)) + std::log(static_cast<Summe>(n)) +
           std::log(static_cast<Summe>(p)) + (n - 1) * std::log1p(-static_cast<Summe>(p));
  };
  const Summe summe = RekursionAbKlasseGeschuetzt(
      NP, L, N, 1, L > 0 ? NP[0] : 0.0, b * n * p * qn1, N * b * n * p * qn1, logP1,
      [&](double i, double vorher) { return vorher * (n - i + 1) * p / (q * i); });
  RestklasseSetzen(NP, L, N, summe);
}

// p in slots 0, 1, 2 and b in slots 50, 51 for the number of trials n. A slot whose estimator
// divides by zero (n = 1, no frequency in classes 1 and 2, p from the factorial moments outside (0,
// 1)) copies the first estimate.
inline void BinomialSchaetzen(const Eingaben& in, double n, Schaetzwerttabelle& E) {
  const double m1 = in.stat.m1;
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  E[0] = (m1 * m1 + in.stat.m2 - m1) / (m1 * n - m1);
  E[50] = m1 / (n * E[0]);
  E[1] = n != 1 ? in.stat.fm2 / m1 / (n - 1) : E[0];
  E[51] = E[1] > 0 && E[1] < 1 ? (1 - in.f[0] / N) / (1 - std::pow(1 - E[1], n)) : E[50];
  const double f1 = KlasseOderNull(in.f, L, 1);
  const double f2 = KlasseOderNull(in.f, L, 2);
  const double nenner = 2 * f2 + (n - 1) * f1;
  E[2] = nenner != 0 ? 2 * f2 / nenner : E[0];
}

}  // namespace vk::members::nullinflation
