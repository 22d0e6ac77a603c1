// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cmath>

namespace vk::test {

// One ladder of tolerances, tightest first. Each step is a size, usable as the relative or the
// absolute bound of `Near`; take the tightest step the comparison honestly needs. A test that
// needs a looser step than its route suggests says why next to the call, and a step is never
// loosened to make a test pass.

// Bit for bit in the compared bound: the other bound alone decides, or both sides are the same
// operations.
inline constexpr double kExact = 0;
// A few roundings apart: an algebraically equal route through a handful of operations.
inline constexpr double kUlps = 1e-15;
// A short chain on another route: tens of operations, a closed form against a short product.
inline constexpr double kShort = 1e-14;
// A recurrence of some dozens of steps against a closed form or a second recurrence.
inline constexpr double kChain = 1e-13;
// The same formula summed in another order.
inline constexpr double kTight = 1e-12;
// Hundreds of terms: the moments of a long table, a recurrence run far from its start.
inline constexpr double kLong = 1e-11;
// A reference computed through lgamma and exp: the log-space route loses a few digits against
// direct products, more for larger arguments.
inline constexpr double kLogRoute = 1e-10;
// A reference from a truncated series, or the error carried across a grid of parameters.
inline constexpr double kSeries = 1e-9;
// An alternating series whose terms cancel to a small sum.
inline constexpr double kAlternating = 1e-8;
// Estimators fed with frequencies of a known distribution cut after finitely many classes: the
// moments lack the cut-off mass, which is far below this.
inline constexpr double kRecovered = 1e-7;
// A rational approximation with a quoted absolute error of a few 1e-7 (the normal tail).
inline constexpr double kRationalFit = 3e-7;
// A value from an iteration stopped by its own criterion, or an approximation with a quoted
// error of a few 1e-7 combined with a rounded constant.
inline constexpr double kIterated = 1e-6;
// Against a value quoted with four or five digits.
inline constexpr double kPrinted = 5e-5;
// An approximation of a tail probability against the exact tail, where it is at its best.
inline constexpr double kApproximate = 1e-4;
// Where a search (the simplex) stops against the known minimiser.
inline constexpr double kSearched = 1e-3;
// A fitted parameter on sampled data against the generating value, and a moment estimate
// against the parameter it estimates on the second moment.
inline constexpr double kFitted = 1e-2;
// A moment estimate against the parameter it estimates, on moments of third order or higher.
inline constexpr double kEstimated = 5e-2;

// The last class is N minus the others: its absolute error is that of numbers near N, so it is
// compared with an absolute tolerance of this many times N.
inline constexpr double kAbsRestProN = 1e-13;

inline ::testing::AssertionResult Near(double actual, double expected, double rel,
                                       double abs = 1e-300) {
  const double diff = std::fabs(actual - expected);
  if (diff <= abs || diff <= rel * std::fabs(expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " differs from " << expected << " by " << diff
                                       << " (rel " << rel << ", abs " << abs << ")";
}

// The absolute bound alone.
inline ::testing::AssertionResult NearAbs(double actual, double expected, double abs) {
  return Near(actual, expected, kExact, abs);
}

}  // namespace vk::test
