// SPDX-License-Identifier: GPL-3.0-or-later
// Lagrangian members: 175 generalized Poisson, 176 its zero-inflated form, 177 generalized
// negative binomial, 179 Abel-type on 1..m, 180 Lagrangian negative binomial.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "distributions/Registry.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"

namespace vk {
namespace {

using test::Letzte;

double Gp(double a, double b, double x) {
  return std::exp(std::log(a) + (x - 1) * std::log(a + x * b) - a - x * b - std::lgamma(x + 1));
}

double Gnb(double k, double p, double beta, double x) {
  const double y = k + beta * x;
  return std::exp(std::log(k / y) + test::LogBinomial(y, x) + x * std::log(p) +
                  (y - x) * std::log1p(-p));
}

// 175 is the generalized Poisson a (a + x b)^(x-1) e^(-a-xb)/x!, and at b = 0 the Poisson with
// mean a; 176 at w = 1 is 175 again.
TEST(ConsulLagrangianFamily, GeneralizedPoissonAgainstClosedFormAndPoissonLimit) {
  const struct { double a, b; } faelle[] = {{2.5, 0}, {0.4, 0}, {2.5, 0.3}, {7, 0.8}, {0.1, 0.95}};
  for (const auto& c : faelle) {
    for (std::uint32_t L : {1u, 12u, 80u}) {
      test::MitReferenzVergleichen(
          "generalized Poisson", 175, {c.a, c.b}, {}, 1000, L, 0, Letzte::kRest,
          [&](std::uint32_t i) {
            if (c.b == 0) return std::exp(-c.a + i * std::log(c.a) - std::lgamma(i + 1.0));
            return Gp(c.a, c.b, i);
          });
      test::MitReferenzVergleichen("zero-inflated, w = 1", 176, {c.a, c.b, 1}, {}, 1000, L, 0,
                                   Letzte::kRest, [&](std::uint32_t i) { return Gp(c.a, c.b, i); });
    }
  }
}

// 177 is the generalized negative binomial; at beta = 1 the negative binomial C(k + x - 1, x)
// (1 - p)^k p^x, and 180 is 177 with k = beta = a.
TEST(ConsulLagrangianFamily, GeneralizedNegativeBinomialLimits) {
  for (std::uint32_t L : {1u, 15u, 60u}) {
    for (double p : {0.1, 0.45}) {
      test::MitReferenzVergleichen("beta = 1", 177, {2.5, p, 1}, {}, 1000, L, 0, Letzte::kRest,
                                   [&](std::uint32_t x) {
                                     return std::exp(test::LogBinomial(2.5 + x - 1, x) +
                                                     2.5 * std::log1p(-p) + x * std::log(p));
                                   });
      test::MitReferenzVergleichen("beta = 2.2", 177, {1.5, p, 2.2}, {}, 1000, L, 0, Letzte::kRest,
                                   [&](std::uint32_t x) { return Gnb(1.5, p, 2.2, x); });
      for (double a : {1.0, 1.8})
        test::MitReferenzVergleichen("180 as 177", 180, {a, p}, {}, 1000, L, 0, Letzte::kRest,
                                     [&](std::uint32_t x) { return Gnb(a, p, a, x); });
    }
  }
}

// 179 lives on the values 1..m: its first class is the general term at x = 1, the classes
// 1..m add up to 1 (the remainder at m is m's own probability), the mean is m/(1 + a), and the
// support check (the record) accepts data from 1. From 0 the general term would be 0 and the
// classes would miss the mass of one class.
TEST(ConsulLagrangianFamily, AbelTypeStartsAtOne) {
  EXPECT_EQ(MitgliedSuchen(179)->traeger, Traeger::kEins);
  // (Parameters where the class m keeps a visible share, so that the remainder can be compared
  // relative to it.)
  for (double a : {0.2, 0.5}) {
    for (std::uint32_t L : {1u, 4u, 12u}) {
      const double m = L + 1;
      const auto pmf = [&](std::uint32_t i) {
        const double x = i + 1.0;
        return std::exp(test::LogBinomial(m, x) + std::log(a / (a + 1)) +
                        (x - 1) * std::log1p(-x * a / m) +
                        (m - x - 1 == 0 ? 0 : (m - x - 1) * std::log(x * a / m)));
      };
      test::MitReferenzVergleichen("abel", 179, {a}, {}, 1000, L, 1, Letzte::kPunkt, pmf);
      test::SlotsPruefen({"mean m/(1 + a)",
                          179,
                          {},
                          1,
                          L,
                          [&](double x) { return pmf(static_cast<std::uint32_t>(x) - 1); },
                          Letzte::kPunkt,
                          {{0, a}}});
    }
  }
}

// The moment estimates are exact on exact data: for the generalized Poisson mean a/(1 - b) and
// variance a/(1 - b)^3; for 180 mean ap/(1 - ap), variance ap(1 - p)/(1 - ap)^3 and
// P(0) = (1 - p)^a. (Many classes, so that the remainder holds no mass the moments would miss.)
TEST(ConsulLagrangianFamily, MomentEstimatesOnExactData) {
  const test::SlotFall faelle[] = {
      {"175",
       175,
       {},
       0,
       250,
       [](double x) { return Gp(3, 0.25, x); },
       Letzte::kRest,
       {{0, 3}, {1, 0.25}, {4, 3}, {5, 0.25}}},
      {"180",
       180,
       {},
       0,
       400,
       [](double x) { return Gnb(1.6, 0.3, 1.6, x); },
       Letzte::kRest,
       {{0, 1.6}, {1, 0.3}, {50, 1.6}}},
  };
  for (const auto& c : faelle) test::SlotsPruefen(c);
}

}  // namespace
}  // namespace vk
