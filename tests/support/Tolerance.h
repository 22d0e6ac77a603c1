// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cmath>

namespace vk::test {

// Named tolerances. A test that widens one says why next to the call.
inline constexpr double kRelTight = 1e-12;   // same formula, different summation order
inline constexpr double kRelPrinted = 5e-5;  // against a value quoted with four or five digits

inline ::testing::AssertionResult Near(double actual, double expected, double rel,
                                       double abs = 1e-300) {
  const double diff = std::fabs(actual - expected);
  if (diff <= abs || diff <= rel * std::fabs(expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " differs from " << expected << " by " << diff
                                       << " (rel " << rel << ", abs " << abs << ")";
}

}  // namespace vk::test
