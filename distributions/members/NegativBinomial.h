// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"

// What the negative binomial members share:
//   P(i) = C(k + i - 1, i) p^k (1 - p)^i,  P(0) = p^k,  P(i)/P(i-1) = (i + k - 1)(1 - p) / i,
// computed with the last class as the remainder by members 4, 26 (fixed k) and 27; the exponent
// from the mean M = k (1 - p)/p for a given p (members 4, 5, 27); and p from the first ratio
// f[1]/f[0] = k (1 - p) with k = M p/(1 - p), i.e. p = f[1]/(f[0] M) (members 26, 27).
namespace vk::members::negativbinomial {

// Where p^k falls below the normal range (a large k or a small p) the recurrence starts at the
// largest class instead, from log P(0) = k log p.
inline void Berechnen(Erwartungswerte& NP, const TStatistik& stat, double k, double p) {
  const double N = stat.summe;
  RekursionMitRestGeschuetzt(
      NP, stat.n, N, std::pow(p, k),
      [&] { return static_cast<Summe>(k) * std::log(static_cast<Summe>(p)); },
      [&](double i, double vorher) { return vorher * (i + k - 1) * (1 - p) / i; });
}

// |M p / (1 - p)|.
inline double KAusMittel(double M, double p) {
  return std::fabs(M * p / (1 - p));
}

// f[1]/(f[0] M), or `ersatz` when class 0 or class 1 is empty.
inline double PAusErstemVerhaeltnis(const Eingaben& in, double ersatz) {
  const double f0 = in.f[0];
  const double f1 = KlasseOderNull(in.f, in.stat.n, 1);
  return (f0 > 0 && f1 > 0) ? f1 / (f0 * in.stat.m1x0) : ersatz;
}

}  // namespace vk::members::negativbinomial
