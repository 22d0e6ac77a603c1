// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// What members 212 and 213 share: the distribution with probability generating function
// ((1 - sqrt(1 - s))/s)^a 2^a, P(x) = a/(2x + a) C(2x + a, x) 2^-(2x + a), x = 0, 1, ...;
// a > 0 (the a-fold convolution of the first-passage law whose pgf is (1 - sqrt(1 - s))/s,
// coefficients of powers of the Catalan generating function). Its ratio
// P(x)/P(x-1) = (2x + a - 1)(2x + a - 2)/(4x (x + a)).
namespace vk::members::catalan {

inline double Verhaeltnis(double a, double x) {
  return (2 * x + a - 1) * (2 * x + a - 2) / (4 * x * (x + a));
}

// The first two ratios: f[1]/f[0] = a/4, f[2]/f[1] = (a + 3)/8.
inline double AusErstemVerhaeltnis(double f0, double f1) {
  return 4 * f1 / f0;
}
inline double AusZweitemVerhaeltnis(double f1, double f2) {
  return 8 * f2 / f1 - 3;
}

}  // namespace vk::members::catalan
