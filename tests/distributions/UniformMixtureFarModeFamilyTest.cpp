// SPDX-License-Identifier: GPL-3.0-or-later
// Uniform mixtures over a Poisson or negative binomial mixing value whose mode lies thousands to
// tens of millions of terms from v = 1 (members 79 and 80 with a subnormal first term), as a
// refinement reaches them: each class against values computed in 50 digits with mpmath, and the
// classes must keep nearly all the digits of a double.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/Tolerance.h"

namespace vk::test {
namespace {

// The references, N = 1000: with w(v) the mixing probability, the terms taken from the mode j by
// exact ratios in mp.dps = 50 until they fall below 1e-45 of w(j),
//   N * fsum(w(v)/v for v > x) / D.
// 80: w(v) = exp(loggamma(s + v) - loggamma(s) - loggamma(v + 1) + s log p + v log(1 - p)),
//     ratio (s + v - 1)(1 - p)/v, j = floor((s - 1)(1 - p)/p), D = 1 - p^s.
// 79: w(v) = exp(v log a - a - loggamma(v + 1)), ratio a/v, j = floor(a), D = 1 - e^-a.
TEST(UniformMixtureFarMode, ClassesKeepTheirDigits) {
  const std::vector<Punkt> punkte = {
      {"s 2e8, p 0.99999, class 0", 80, {2e8, 0.99999}, {}, 2200, 0, 1000, 0, 0.50024524787427217},
      {"s 2e8, p 0.99999, class 9", 80, {2e8, 0.99999}, {}, 2200, 0, 1000, 9, 0.50024524787427217},
      {"s 2e8, below the mode", 80, {2e8, 0.99999}, {}, 2200, 0, 1000, 1990, 0.28720711256778496},
      {"s 2e8, at the mode", 80, {2e8, 0.99999}, {}, 2200, 0, 1000, 2000, 0.24277468221366598},
      {"s 2e8, in the tail", 80, {2e8, 0.99999}, {}, 2200, 0, 1000, 2100, 0.0060511979162946093},
      {"s 5e7, p 0.9, class 0", 80, {5e7, 0.9}, {}, 10, 0, 1000, 0, 0.00018000003600001372},
      {"s 5e7, p 0.9, class 9", 80, {5e7, 0.9}, {}, 10, 0, 1000, 9, 0.00018000003600001372},
      {"s 1e6, p 0.5, class 0", 80, {1e6, 0.5}, {}, 31, 0, 1000, 0, 0.001000002000006},
      {"s 1e6, p 0.5, class 30", 80, {1e6, 0.5}, {}, 31, 0, 1000, 30, 0.001000002000006},
      {"a 1e6, class 0", 79, {1e6}, {}, 10, 0, 1000, 0, 0.001000001000002},
      {"a 1e6, class 9", 79, {1e6}, {}, 10, 0, 1000, 9, 0.001000001000002},
      {"a 1.5e4, class 0", 79, {1.5e4}, {}, 15100, 0, 1000, 0, 0.066671111703822254},
      {"a 1.5e4, below the mode", 79, {1.5e4}, {}, 15100, 0, 1000, 14990, 0.035144075820664111},
      {"a 1.5e4, at the mode", 79, {1.5e4}, {}, 15100, 0, 1000, 15000, 0.032973606372427378},
  };
  // Within a few units in the last place, whatever the distance of the mode from v = 1.
  PunkteVergleichen(punkte, kUlps);
}

}  // namespace
}  // namespace vk::test
