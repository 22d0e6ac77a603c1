// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"

// What members 104 (a free) and 105 (a = 1) share: the logarithmic stopped sum of Poisson
// summands, X = Y_1 + ... + Y_K with K logarithmic on 1, 2, ... (parameter r) and Y_j Poisson(a).
//   G(s) = ln(1 - r e^(a(s-1))) / ln(1 - r).
// From (1 - q e^(as)) G'' = a G' (q = r e^-a) follows the recurrence for i >= 2
//   i (i - 1)(1 - q) P(i) = q sum_{k=1}^{i-2} a^k/k! (i - k)(i - k - 1) P(i-k) + (i - 1) a P(i-1).
namespace vk::members::logpoisson {

// r of 1 or more is pulled back into (0, 1); written back by the caller's reference.
inline void RKorrigieren(double& r) {
  if (r >= 1) InEinheitsintervallKorrigieren(r);
}

// The classes for a, r, the last one as the remainder. ln(1 - r) and ln(1 - q) are taken as
// log1p(-r) and log1p(-q): for a small r or a large a the written 1 - q rounds away the digits
// the logarithm needs.
inline void Berechnen(const Eingaben& in, Erwartungswerte& NP, double a, double r) {
  const double N = in.stat.summe;
  const double q = r * std::exp(-a);
  const double c = std::log1p(-r);
  Unterbrechungszaehler stopp(in);
  RekursionMitRest(NP, in.stat.n, N, N * std::log1p(-q) / c, [&](std::uint32_t i, double vorher) {
    const double di = i;
    if (i == 1) return -N * a * q / ((1 - q) * c);
    if (stopp.Zaehlen(i)) return 0.0;
    // a^k/k! formed along the sum: no factorial, no working array.
    double w = 1;
    Summe faltung = 0;
    for (std::uint32_t k = 1; k + 1 < i; ++k) {
      w = w * a / k;
      const double ik = di - k;
      faltung += w * ik * (ik - 1) * NP[i - k];
    }
    return (q * static_cast<double>(faltung) + (di - 1) * a * vorher) / (di * (di - 1) * (1 - q));
  });
}

}  // namespace vk::members::logpoisson
