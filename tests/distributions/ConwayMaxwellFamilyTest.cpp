// SPDX-License-Identifier: GPL-3.0-or-later
// Weighted Poisson forms, members 170 to 174: Conway-Maxwell-Poisson, the right-truncated
// hypergeometric type, Poisson with a changed tail, the double-sum type and Neyman type A plus
// Poisson.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "distributions/Registry.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"

namespace vk {
namespace {

using test::Letzte;
using test::Poisson;

// 170 with nu = 1 is the Poisson, with nu = 0 and lambda < 1 the geometric (1 - lambda)
// lambda^i, also where L + 100 terms would leave most of its mass out (lambda = 0.995); 172
// with b = 1 is the Poisson whatever m.
TEST(ConwayMaxwellFamily, PoissonAndGeometricLimits) {
  for (std::uint32_t L : {0u, 10u, 60u}) {
    for (double lambda : {0.3, 4.0, 25.0}) {
      test::MitReferenzVergleichen("cmp nu = 1", 170, {lambda, 1}, {}, 1000, L, 0, Letzte::kRest,
                                   [&](std::uint32_t i) { return Poisson(lambda, i); });
      test::MitReferenzVergleichen("changed tail b = 1", 172, {lambda, 1}, {3}, 1000, L, 0,
                                   Letzte::kRest,
                                   [&](std::uint32_t i) { return Poisson(lambda, i); });
    }
    for (double lambda : {0.2, 0.9, 0.995})
      test::MitReferenzVergleichen(
          "cmp nu = 0", 170, {lambda, 0}, {}, 1000, L, 0, Letzte::kRest,
          [&](std::uint32_t i) { return (1 - lambda) * std::pow(lambda, i); });
  }
}

// With nu = 0 and lambda >= 1 the series diverges: a failed evaluation, not a distribution.
TEST(ConwayMaxwellFamily, DivergentSeriesFails) {
  for (double lambda : {1.0, 1.5}) {
    Parametervektor par{lambda, 0};
    EXPECT_TRUE(test::Auswerten(170, par, {}, 10).fehler) << lambda;
  }
}

// 171 with b = 1 and n = L is the binomial (n, a/(1 + a)), complete on 0..n.
TEST(ConwayMaxwellFamily, HypergeometricTypeWithUnitBIsBinomial) {
  for (std::uint32_t n : {1u, 6u, 40u}) {
    for (double a : {0.25, 3.0}) {
      const double p = a / (1 + a);
      test::MitReferenzVergleichen(
          "binomial", 171, {static_cast<double>(n), 1, a}, {}, 1000, n, 0, Letzte::kPunkt,
          [&](std::uint32_t i) {
            return std::exp(test::LogBinomial(n, i) + i * std::log(p) + (n - i) * std::log1p(-p));
          });
    }
  }
}

// The estimates are exact on exact data: 170 from f1/f0 = lambda and f1^2/(f0 f2) = 2^nu;
// 172 from f1/f0 = a and the ratio at m; 174 from the moments, mean
// ab + c, variance ab(1 + b) + c, third central moment ab(1 + 3b + b^2) + c.
TEST(ConwayMaxwellFamily, EstimatesOnExactData) {
  const auto cmp = [](double x) {
    double z = 0;
    for (int j = 400; j >= 0; --j) z += std::exp(j * std::log(2.2) - 0.6 * std::lgamma(j + 1.0));
    return std::exp(x * std::log(2.2) - 0.6 * std::lgamma(x + 1)) / z;
  };
  // 172 at a = 3, b = 1.7, m = 2.
  const auto tail = [](double x) {
    const auto logR = [](double i) {
      if (i <= 2) return i * std::log(3.0) - std::lgamma(i + 1);
      return i * std::log(3.0) - std::lgamma(3.0) - 1.7 * (std::lgamma(i + 1) - std::lgamma(3.0)) +
             0.7 * (i - 2) * std::log(2.0);
    };
    double z = 0;
    for (int j = 300; j >= 0; --j) z += std::exp(logR(j));
    return std::exp(logR(x)) / z;
  };
  const auto neyman = [](double x) {
    // The Neyman type A part as a sum over the clusters, convolved with Poisson(0.5).
    double s = 0;
    for (int k = 0; k <= x; ++k) {
      double na = k == 0 ? std::exp(-1.5) : 0;
      for (int n = 1; n < 80; ++n) na += Poisson(1.5, n) * Poisson(n * 2.0, k);
      s += na * Poisson(0.5, x - k);
    }
    return s;
  };
  const test::SlotFall faelle[] = {
      {"170", 170, {}, 0, 30, cmp, Letzte::kRest, {{0, 2.2}, {1, 0.6}}},
      {"172", 172, {2}, 0, 25, tail, Letzte::kRest, {{0, 3}, {1, 1.7}}},
      {"174", 174, {}, 0, 80, neyman, Letzte::kRest, {{0, 1.5}, {1, 2}, {2, 0.5}}, 1e-6},
  };
  for (const auto& c : faelle) test::SlotsPruefen(c);
}

}  // namespace
}  // namespace vk
