// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "distributions/Helpers.h"
#include "distributions/members/GestoppteSumme.h"

// The summand distributions of the stopped-sum members 118 to 125 in the form the stopped-sum
// kernel takes them: g_0, 1 - g_0 without cancellation, g_1, the largest value, and the ratio
// g_j / g_(j-1) for j >= 2.
namespace vk::members::summanden {

// Poisson(a): g_j = e^-a a^j / j!.
inline gestoppt::Summand Poisson(double a) {
  const long double al = a;
  return {std::exp(-al), -std::expm1(-al), al * std::exp(-al)};
}
inline auto PoissonVerhaeltnis(double a) {
  return [a](std::uint32_t j) { return static_cast<long double>(a) / j; };
}

// 1 + Poisson(phi) (Thomas): g_0 = 0, g_j = e^-phi phi^(j-1) / (j-1)!.
inline gestoppt::Summand EinsPlusPoisson(double phi) {
  return {0, 1, std::exp(-static_cast<long double>(phi))};
}
inline auto EinsPlusPoissonVerhaeltnis(double phi) {
  return [phi](std::uint32_t j) { return static_cast<long double>(phi) / (j - 1); };
}

// binomial(n, p): g_j = C(n, j) p^j (1 - p)^(n - j), nothing beyond j = Int(n); |1 - p| in the
// first term, g_0 = |1 - p|^n. A negative n, or one beyond the counts of a class index, raises
// the fault.
inline gestoppt::Summand Binomial(double n, double p) {
  const long double nl = n, pl = p;
  const long double q = std::fabs(1 - pl);
  const long double g0 = std::pow(q, nl);
  const long double einsMinusG0 = p < 1 ? -std::expm1(nl * std::log1p(-pl)) : 1 - g0;
  const long double g1 = nl * pl * std::pow(q, nl - 1);
  return {g0, einsMinusG0, g1, BegrenzteAnzahl(n, std::numeric_limits<std::uint32_t>::max() - 1)};
}
inline auto BinomialVerhaeltnis(double n, double p) {
  return [n, p](std::uint32_t j) {
    return (static_cast<long double>(n) - j + 1) * p / ((1 - static_cast<long double>(p)) * j);
  };
}

}  // namespace vk::members::summanden
