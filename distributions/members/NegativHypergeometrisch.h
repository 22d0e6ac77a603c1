// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"

// What the negative hypergeometric members 3 (fixed n) and 7 (free n) share: the factors
// (K - R + j)/(K + j) of P(0), the ratio of P(i) = C(n, i) B(R + i, K - R + n - i) / B(R, K - R)
// and the recurrence from P(0) (the last class the remainder), and the moment estimators of K and
// R for a given n.
namespace vk::members::negativhypergeometrisch {

// P(i)/P(i-1).
inline double Verhaeltnis(double K, double R, double n, double i) {
  return (i + R - 1) * (n - i + 1) / ((n + K - R - i) * i);
}

// The factor j of P(0) = prod_{j<n} (K - R + j)/(K + j).
inline double NullFaktor(double K, double R, double j) {
  return (K - R + j) / (K + j);
}

// The expected frequencies from P(0) = p0 by the ratio. Where p0 has fallen below the normal
// range (many draws and a large R) the recurrence starts at the largest class, from log P(0) =
// logP0().
template <typename LogP0>
void Berechnen(Erwartungswerte& NP, const TStatistik& stat, double K, double R, double n, double p0,
               LogP0 logP0) {
  const auto schritt = [&](double i, double vorher) { return vorher * Verhaeltnis(K, R, n, i); };
  // Outside K > R > 0 the factors of P(0) change sign and have no logarithm: the written route,
  // whatever it gives.
  if (!(K > R && R > 0)) {
    RekursionMitRest(NP, stat.n, stat.summe, stat.summe * p0, schritt);
    return;
  }
  RekursionMitRestGeschuetzt(NP, stat.n, stat.summe, p0, logP0, schritt);
}

// log of prod_{j=von}^{bis-1} NullFaktor(K, R, j), summed in extended precision.
inline Summe LogNullProdukt(double K, double R, std::uint32_t von, std::uint32_t bis) {
  Summe s = 0;
  for (std::uint32_t j = von; j < bis; ++j)
    s += std::log(static_cast<Summe>(NullFaktor(K, R, static_cast<double>(j))));
  return s;
}

// Moment estimators for the given n: E[0] = K and E[1] = R from the mean and the second factorial
// moment, E[50] and E[51] from the first three central moments.
inline void MomentSchaetzer(const TStatistik& stat, double n, Schaetzwerttabelle& E) {
  const double M = stat.m1x0;
  const double m2 = stat.m2;
  const double m3 = stat.m3;
  const double fm2 = stat.fm2;
  E[0] = std::fabs(n * (n * M - fm2 - M) / (n * (fm2 - M * M) + M * M));
  E[1] = std::fabs(E[0] * M / n);
  const double h = (M * M + m2 - M) / M;
  const double l = (m3 - 3 * M * m2 + M * M * M - 3 * (m2 - M * M) + 2 * M) / (M * M + m2 - M);
  E[50] = std::fabs(((h + n - 1) * (n - 2) - 2 * l * (n - 1)) / (l * (n - 1) - h * (n - 2)));
  E[51] = (E[50] + 1) * h / (n - 1) - 1;
}

}  // namespace vk::members::negativhypergeometrisch
