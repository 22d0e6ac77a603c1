// SPDX-License-Identifier: GPL-3.0-or-later
// Geometric members whose ratio changes: 168 (a modified first step) and 169 (a change of ratio
// at the class m).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"

namespace vk {
namespace {

using test::Letzte;

// 168 with b = 0 and 169 with m = 1 (ratio b from the first step on) are geometric.
TEST(ChangedRatioGeometricFamily, GeometricLimits) {
  for (std::uint32_t L : {0u, 1u, 20u}) {
    for (double q : {0.15, 0.8}) {
      const auto geo = [&](std::uint32_t i) { return (1 - q) * std::pow(q, i); };
      test::MitReferenzVergleichen("168, b = 0", 168, {q, 0}, {}, 1000, L, 0, Letzte::kRest, geo);
      test::MitReferenzVergleichen("169, m = 1", 169, {0.5, q}, {1}, 1000, L, 0, Letzte::kRest,
                                   geo);
    }
  }
}

// A change point below 1 leaves the first class without a meaning: a failed evaluation.
TEST(ChangedRatioGeometricFamily, ChangePointBelowOneFails) {
  for (double m : {0.0, 0.7}) {
    Parametervektor par{0.4, 0.6};
    EXPECT_TRUE(test::Auswerten(169, par, {m}, 10).fehler) << m;
  }
}

TEST(ChangedRatioGeometricFamily, EstimatesOnExactData) {
  // 168: P(0) = 1 - a, P(1) = a (1 - b)(1 - a).
  const auto modifiziert = [](double x) {
    const double a = 0.55, b = 0.3, q = b + (1 - b) * a;
    return x == 0 ? 1 - a : a * (1 - b) * (1 - a) * std::pow(q, x - 1);
  };
  // 169 at a = 0.6, b = 0.3, m = 3.
  const auto wechsel = [](double x) {
    const double a = 0.6, b = 0.3;
    const double p0 = (1 - a) * (1 - b) / ((1 - a * a * a) * (1 - b) + a * a * (1 - a) * b);
    return x < 3 ? p0 * std::pow(a, x) : p0 * a * a * std::pow(b, x - 2);
  };
  const test::SlotFall faelle[] = {
      {"168", 168, {}, 0, 30, modifiziert, Letzte::kRest, {{0, 0.55}, {1, 0.3}}},
      {"169", 169, {3}, 0, 30, wechsel, Letzte::kRest, {{0, 0.6}, {1, 0.3}}},
  };
  for (const auto& c : faelle) test::SlotsPruefen(c);
}

}  // namespace
}  // namespace vk
