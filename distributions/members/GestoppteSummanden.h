// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/members/GestoppteSumme.h"

// The summand distributions of the negative binomial and binomial stopped sums (members 140 to
// 142, 148, 149) in the form the stopped-sum kernel takes them: g_0, 1 - g_0 without
// cancellation, g_1 and the ratio g_j/g_(j-1).
namespace vk::members::summanden {

// Binomial(n, p) summands, n whole: g_0 = (1 - p)^n, g_j/g_(j-1) = (n - j + 1) p / (j (1 - p)).
inline gestoppt::Summand Binomial(std::uint32_t n, double p) {
  const long double logQ = std::log1p(-static_cast<long double>(p));
  const long double g0 = std::exp(n * logQ);
  const long double g1 = n == 0 ? 0.0L : n * static_cast<long double>(p) * std::exp((n - 1) * logQ);
  return {g0, -std::expm1(n * logQ), g1, n};
}

// Geometric summands g_j = p (1 - p)^j.
inline gestoppt::Summand Geometrisch(double p) {
  return {p, 1 - static_cast<long double>(p), static_cast<long double>(p) * (1 - p)};
}

// Logarithmic summands on 1, 2, ...: g_0 = 0, g_1 = -theta / ln(1 - theta).
inline gestoppt::Summand Logarithmisch(double theta) {
  return {0, 1, -theta / std::log1p(-static_cast<long double>(theta))};
}

// Negative binomial summands NB(j; k, p): g_0 = p^k, g_1 = k p^k (1 - p).
inline gestoppt::Summand NegativBinomial(double k, double p) {
  const long double logG0 = k * std::log(static_cast<long double>(p));
  const long double g0 = std::exp(logG0);
  return {g0, -std::expm1(logG0), k * g0 * (1 - static_cast<long double>(p))};
}

// The first three factorial cumulants of the data, from M and the factorial moments.
struct FaktorielleKumulanten {
  double k1, k2, k3;
};
inline FaktorielleKumulanten Kumulanten(double M, double fm2, double fm3) {
  return {M, fm2 - M * M, fm3 - 3 * M * fm2 + 2 * M * M * M};
}

}  // namespace vk::members::summanden
