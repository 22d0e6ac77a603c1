// SPDX-License-Identifier: GPL-3.0-or-later
// On many classes a convolution member may leave out the classes it has proved below 1e-300 N:
// the classes it keeps are those of the written recurrence, checked against the probabilities on
// an independent route (the direct sum over the number of clusters, in logarithms); the first
// class it leaves out is below 1e-300 N on that route; a heavy tail is not cut at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "tests/distributions/MemberCheck.h"

namespace vk::test {
namespace {

// ln P(x) of the Thomas distribution: k ~ Poisson(lambda) clusters of 1 + Poisson(phi) each, so
// X = k + Poisson(k phi) and P(x) = sum_k Poisson(k; lambda) Poisson(x - k; k phi).
double LogThomas(double lambda, double phi, std::uint32_t x) {
  const auto logPois = [](double a, double j) {
    return j == 0 ? -a : -a + j * std::log(a) - std::lgamma(j + 1);
  };
  if (x == 0) return -lambda;
  double groesster = -std::numeric_limits<double>::infinity();
  for (std::uint32_t k = 1; k <= x; ++k)
    groesster = std::max(groesster, logPois(lambda, k) + logPois(k * phi, x - k));
  double summe = 0;
  for (std::uint32_t k = 1; k <= x; ++k)
    summe += std::exp(logPois(lambda, k) + logPois(k * phi, x - k) - groesster);
  return groesster + std::log(summe);
}

constexpr double kLog1em300 = -690.77552789821368;  // ln 1e-300
constexpr std::uint32_t kL = 20000;

struct Fall {
  double lambda, phi;
  bool geschnitten;  // light enough a tail for the classes far below L to be cut
};

TEST(CutAtTinyClasses, ThomasKeepsEveryClassAbove1em300N) {
  const double N = 15265;
  for (const Fall& f : {Fall{2, 1, true}, Fall{5, 0.5, true}, Fall{0.5, 3, true}, Fall{20, 2, true},
                        Fall{3, 2000, false}}) {
    SCOPED_TRACE(testing::Message() << "lambda " << f.lambda << ", phi " << f.phi);
    Parametervektor par{f.lambda, f.phi};
    const Lauf l = Auswerten(119, par, {}, kL, 0, N);
    ASSERT_FALSE(l.fehler);
    const Erwartungswerte& NP = *l.NP;
    // The first class of the run of zeros that reaches the last class but one.
    std::uint32_t schnitt = kL;
    while (schnitt > 0 && NP[schnitt - 1] == 0) --schnitt;
    EXPECT_NEAR(Summe(NP, kL), N, kTight * N);
    if (!f.geschnitten) {
      EXPECT_EQ(schnitt, kL);
      EXPECT_TRUE(Near(NP[kL - 1], N * std::exp(LogThomas(f.lambda, f.phi, kL - 1)), kLogRoute));
      continue;
    }
    ASSERT_LT(schnitt, kL);
    // Left out: below 1e-300 N on the independent route, there and further on.
    EXPECT_LT(LogThomas(f.lambda, f.phi, schnitt), kLog1em300);
    EXPECT_LT(LogThomas(f.lambda, f.phi, schnitt + 100), kLog1em300);
    // Kept: every class up to the last above 1e-290 N agrees with the independent route.
    for (std::uint32_t x = 0; x < schnitt; ++x) {
      const double log = LogThomas(f.lambda, f.phi, x);
      if (log < kLog1em300 + 23) break;  // below 1e-290: subnormal neighbourhood
      EXPECT_TRUE(Near(NP[x], N * std::exp(log), kLogRoute)) << "x=" << x;
    }
  }
}

}  // namespace
}  // namespace vk::test
