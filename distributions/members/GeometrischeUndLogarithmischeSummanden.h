// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GestoppteSumme.h"

// The summands of the stopped sums 126 to 130, in the form the stopped-sum kernel takes them:
// g_0, 1 - g_0 formed without cancellation, g_1, and the ratio g_j/g_(j-1) for j >= 2.
namespace vk::members::summanden {

// Geometric on 0, 1, ...: g_j = p (1 - p)^j; the ratio is 1 - p.
inline gestoppt::Summand Geometrisch(double p) {
  const long double q = 1 - static_cast<long double>(p);
  return {p, q, p * q};
}

// Logarithmic on 1, 2, ...: g_j = -theta^j/(j ln(1 - theta)), g_0 = 0; the ratio is
// theta (j - 1)/j. ln(1 - theta) as log1p(-theta): the same number where 1 - theta is exact (theta
// from 1/2 on), and without the rounding of 1 - theta for a small theta, where g_1 tends to 1.
inline gestoppt::Summand Logarithmisch(double theta) {
  const long double t = theta;
  return {0, 1, -t / std::log1p(-t)};
}
inline auto LogarithmischVerhaeltnis(double theta) {
  return [theta](std::uint32_t j) -> long double {
    const long double dj = j;
    return theta * (dj - 1) / dj;
  };
}

// Binomial(n, p) with n = Int(F0) trials: g_0 = |1 - p|^n, g_1 = n p |1 - p|^(n-1), the ratio
// (n - j + 1) p/((1 - p) j), nothing beyond n. 1 - g_0 as -expm1(n ln|1 - p|): g_0 near 1 (few
// trials, a small p) would otherwise leave only the rounding of the difference.
inline gestoppt::Summand Binomisch(std::uint32_t n, double p) {
  const long double q = std::fabs(1 - static_cast<long double>(p));
  const long double dn = n;
  const long double logQ = std::log(q);
  gestoppt::Summand g{std::exp(dn * logQ), -std::expm1(dn * logQ), 0, n};
  if (n > 0) g.g1 = dn * p * std::exp((dn - 1) * logQ);
  return g;
}
inline auto BinomischVerhaeltnis(std::uint32_t n, double p) {
  return [n, p](std::uint32_t j) -> long double {
    const long double dj = j;
    return (static_cast<long double>(n) - dj + 1) * p / ((1 - static_cast<long double>(p)) * dj);
  };
}

}  // namespace vk::members::summanden
