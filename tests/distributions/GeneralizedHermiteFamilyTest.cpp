// SPDX-License-Identifier: GPL-3.0-or-later
// Poisson stopped sums among members 196 to 198 (generalized Hermite with free and fixed m) and
// member 204 (Poisson terms with a geometric tail beyond m): limits, the conditions that make a
// failed evaluation, and the estimators on exact data.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/PmfSweep.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Letzte;
using test::Near;

// With m = 1 the pgf is exp((a + b)(s - 1)): the Poisson distribution with mean a + b.
TEST(GeneralizedHermiteFamily, MultipleOneIsPoissonWithMeanAPlusB) {
  const struct { double a, b; } faelle[] = {{0.3, 0.2}, {2.0, 5.0}, {40.0, 0.5}};
  for (const auto& c : faelle)
    for (std::uint32_t L : {0u, 5u, 80u}) {
      const double a = c.a, b = c.b;
      const auto po = [&](std::uint32_t i) {
        return static_cast<double>(test::PoissonL(a + b, i));
      };
      test::MitReferenzVergleichen("m = 1", 197, {a, b, 1.0}, {}, 1000, L, 0, Letzte::kRest, po);
      test::MitReferenzVergleichen("fixed m = 1", 198, {a, b}, {1.0}, 1000, L, 0, Letzte::kRest,
                                   po);
    }
}

TEST(GeneralizedHermiteFamily, FixedMultipleGivesTheFreeMembersClasses) {
  for (double m : {2.0, 3.7, 9.0}) {
    Parametervektor frei{1.2, 0.8, m};
    Parametervektor fest{1.2, 0.8};
    const auto a = test::Auswerten(197, frei, {}, 30);
    const auto b = test::Auswerten(198, fest, {m}, 30);
    ASSERT_FALSE(a.fehler || b.fehler);
    for (std::uint32_t i = 0; i <= 30; ++i) EXPECT_EQ((*a.NP)[i], (*b.NP)[i]) << "i=" << i;
  }
}

// A multiple Int(m) of 0 has no pgf (the recurrence would read the class it writes); member 204
// with a >= m has a geometric tail that does not converge. Both are failed evaluations, the
// values just inside are not.
TEST(GeneralizedHermiteFamily, ConditionsLinkingParametersFailOutside) {
  const struct {
    std::uint32_t nummer;
    Parametervektor par;
    test::Fest fest;
    bool fehler;
  } faelle[] = {
      {198, {1, 1}, {0.5}, true},   {198, {1, 1}, {-2}, true},   {198, {1, 1}, {1}, false},
      {197, {1, 1, 0.9}, {}, true}, {204, {4, 1}, {4}, true},    {204, {9, 1}, {4}, true},
      {204, {3.99, 1}, {4}, false}, {204, {0.5, 0}, {1}, false},
  };
  for (const auto& c : faelle) {
    Parametervektor par = c.par;
    EXPECT_EQ(test::Auswerten(c.nummer, par, c.fest, 12).fehler, c.fehler)
        << "member " << c.nummer << " a " << c.par[0] << " m " << c.fest[0] << c.par[2];
  }
}

// 197/198 read a from f[1]/f[0] and b from f[0] (exact while m >= 2), 197's m from the mean;
// 204 reads a + b from the ratios below m and a/m from the tail sums beyond m (exact as the
// classes cut off after L = 80 hold nothing of it).
TEST(GeneralizedHermiteFamily, EstimatorsOnExactData) {
  const double a = 1.3, b = 0.6;
  const auto hermite = [&](double m) {
    return [=](double x) {
      long double p = 0;
      for (std::uint32_t k = 0; k * m <= x; ++k)
        p += test::PoissonL(a, x - m * k) * test::PoissonL(b, k);
      return static_cast<double>(p);
    };
  };
  test::SlotsPruefen(
      {"free m", 197, {}, 0, 60, hermite(3), Letzte::kRest, {{0, a}, {1, b}, {2, 3.5}}});
  test::SlotsPruefen({"fixed m", 198, {2}, 0, 60, hermite(2), Letzte::kRest, {{0, a}, {1, b}}});
  const double m = 5, c = 2.5, g = 2.0;
  const auto tail = [=](double x) {
    long double S = 0;
    for (int j = 0; j <= m; ++j) S += test::PoissonL(c, j);
    const long double h = test::PoissonL(c, m) / S, K = (m - g) / (m - g + g * h);
    if (x <= m) return static_cast<double>(K * test::PoissonL(c, x) / S);
    return static_cast<double>(h * K * std::pow(g / m, x - m));
  };
  test::SlotsPruefen(
      {"geometric tail", 204, {m}, 0, 80, tail, Letzte::kRest, {{0, g}, {1, c - g}}});
}

// Member 196 on its own frequencies: the mean gives lambda b exactly, the grid of w the rest.
TEST(GeneralizedHermiteFamily, MixedSummandEstimatorStartsNearTheParameters) {
  Parametervektor par{3, 2, 0.3};
  const auto l = test::Auswerten(196, par, {2}, 120);
  ASSERT_FALSE(l.fehler);
  std::vector<double> fv(l.NP->begin(), l.NP->begin() + 121);
  const auto d = test::Klassen(fv);
  TParameterEigenschaften eig = test::Eigenschaften(196);
  eig.festparameter = {2};
  const Parametervektor s = test::Start(196, *d, eig, 1);
  EXPECT_TRUE(Near(s[0] * s[1], 6, test::kSeries));
  EXPECT_NEAR(s[2], 0.3, test::kFitted);
  EXPECT_TRUE(Near(s[1], 2, test::kEstimated));
}

}  // namespace
}  // namespace vk
