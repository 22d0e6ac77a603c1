// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace vk {

// Running sums (of expected frequencies, of estimator terms) are kept in extended precision
// where the platform has it; the results are stored as double.
using Summe = long double;

// n! as a double: 0! .. 100! from a table built at compile time, beyond that 100! multiplied on
// by 101, 102, ..., n. From n = 171 on the result leaves the double range and raises the
// overflow fault: a failed evaluation, not something to avoid.
double Fakultaet(std::uint32_t n);
// 171! is the first factorial beyond the double range.
inline constexpr std::uint32_t kErsteUeberlaufendeFakultaet = 171;

// x (x+1) ... (x+n-1), for n >= 1 (n = 0 gives x; callers never pass it).
double SteigendeFakultaet(std::uint32_t n, double x);

// x^n by n - 1 multiplications; x^0 = 1.
double GanzePotenz(std::uint32_t n, double x);

// The binomial coefficient (x over k) for real x: 1 for k = 0, 0 for k < 0, otherwise the
// product over i = 1..k of (x - i + 1)/i.
double Binomialkoeffizient(std::int32_t k, double x);

// Stirling number of the second kind S(n, k), by the triangle S(n + 1, k) = k S(n, k) +
// S(n, k - 1): exact while it fits 2^53 (the alternating sum of powers loses every digit a few
// rows below the diagonal), rounded beyond, an overflow fault past the double range. The cost is
// k (n - k) steps.
double StirlingZweiterArt(std::uint32_t n, std::uint32_t k);

// Signed Stirling number of the first kind s(n, k), sign (-1)^(n-k), by the triangle |s(n + 1,
// k)| = n |s(n, k)| + |s(n, k - 1)|, exact in the same way.
double StirlingErsterArt(std::uint32_t n, std::uint32_t k);

// ln Gamma(z + a) - ln Gamma(z) for z > 0, a >= 0. For a large z the two log-gamma values carry
// an absolute rounding of their own size (1e-9 at z = 1e9 in long double) while their difference
// is modest: there the Stirling series of the two is subtracted term by term.
long double LogGammaDifferenz(long double z, long double a);

// psi(n) for integers n >= 1: -0.577215664 + sum of 1/a for a = 1..n-1.
double Digamma(std::int32_t n);

}  // namespace vk
