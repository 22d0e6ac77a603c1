// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"

// What the binomial members share. Members 0 (free n), 1 (fixed n) and 9 (fixed p) compute
//   P(0) = (1 - p)^n,  P(i)/P(i-1) = (n - i + 1) p / ((1 - p) i)
// on the class indices; members 21, 22 (zero-truncated) and 23, 24 (left-truncated) run the same
// ratio on the class values, with the factors in the order p (n - x + 1) / ((1 - p) x). Members 0
// and 1 also share the ratio regression for p with n held.
namespace vk::members::binomial {

// log(1 - p) for the exponent n log(1 - p) of (1 - p)^n. The rounding of 1 - p moves the exponent
// by up to n 2^-53, which beyond kVieleVersuche trials would cost more than 1e-12 of every
// class (and of N in the remainder); log1p(-p) carries no such error and is taken there (below,
// the written log(1 - p)).
inline constexpr double kVieleVersuche = 10000;
inline double LogGegenP(double n, double p) {
  return n > kVieleVersuche ? std::log1p(-p) : std::log(1 - p);
}

// The binomial with the last class as the remainder.
// Where (1 - p)^n falls below the normal range (many trials, p near 1) the recurrence starts at
// the largest class instead, from log P(0) = n log(1 - p).
inline void Berechnen(Erwartungswerte& NP, const TStatistik& stat, double n, double p) {
  const double N = stat.summe;
  RekursionMitRestGeschuetzt(
      NP, stat.n, N, std::exp(n * LogGegenP(n, p)),
      [&] { return static_cast<Summe>(n) * std::log1p(-static_cast<Summe>(p)); },
      [&](double i, double vorher) { return vorher * (n - i + 1) * p / ((1 - p) * i); });
}

// P(x_i)/P(x_{i-1}) for neighbouring values, as a step of RekursionMitRest on the class values.
inline auto WerteSchritt(const KlassenWerte& x, double n, double p) {
  return [&x, n, p](std::uint32_t i, double vorher) {
    const double xi = static_cast<double>(x[i]);
    return vorher * p * (n - xi + 1) / ((1 - p) * xi);
  };
}

// Least squares for p/(1 - p) from f[i+1] = p/(1 - p) l_i, l_i = (n - x_i) f[i] / (x_i + 1),
// over i < L; returns p.
inline double VerhaeltnisRegression(const KlassenHaeufigkeiten& f, const KlassenWerte& x,
                                    std::uint32_t L, double n) {
  Summe A = 0, B = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double xi = static_cast<double>(x[i]);
    const double l = (n - xi) * f[i] / (xi + 1);
    A += l * f[i + 1];
    B += l * l;
  }
  return static_cast<double>(A / (A + B));
}

}  // namespace vk::members::binomial
