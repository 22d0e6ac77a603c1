// SPDX-License-Identifier: GPL-3.0-or-later
// Members 153 to 166: the repairs they write back, the conditions that tie a parameter to the
// data, the special cases where they become a simpler member, and the estimates that are exact
// on the model's own frequencies.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "core/FpFault.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Fest;
using test::Lauf;

// Repairs the members apply to their vector: each one written back for the engine to report.
TEST(Members153Family, RepairsAreWrittenBack) {
  const double cap153 = 4 * 10 * 9 * 0.09 / ((3 + 0.7) * (3 + 0.7));
  const struct {
    const char* name;
    std::uint32_t nummer;
    Parametervektor par;
    Fest fest;
    std::uint32_t x0, L, j;
    double erwartet;
  } kFaelle[] = {
      {"153: b at or above the cap becomes cap - 0.1", 153, {0.3, 5}, {10}, 0, 10, 1, cap153 - 0.1},
      {"153: b below the cap stays", 153, {0.3, 1}, {10}, 0, 10, 1, 1},
      {"157: a load of 0 becomes 0.01", 157, {0}, {}, 0, 10, 0, 0.01},
      {"158: q of 0 or below becomes 0.1", 158, {2, -0.5}, {}, 0, 10, 1, 0.1},
      {"161: a at or above 1/q becomes 1/q - 0.1", 161, {5, 1, 0.5}, {}, 1, 10, 0, 1.9},
      {"161: a below 1/q stays", 161, {1.5, 1, 0.5}, {}, 1, 10, 0, 1.5},
  };
  for (const auto& c : kFaelle) {
    Parametervektor par = c.par;
    const Lauf l = test::Auswerten(c.nummer, par, c.fest, c.L, c.x0);
    EXPECT_FALSE(l.fehler) << c.name;
    EXPECT_TRUE(test::Near(par[c.j], c.erwartet, test::kTight)) << c.name << ": " << par[c.j];
    EXPECT_TRUE(test::Near(test::Summe(*l.NP, c.L), 1000, test::kTight)) << c.name;
  }
}

// Member 162 writes the classes 0..L and nothing beyond; its last class is the remainder.
TEST(Members153Family, DisplacedBinomialWritesNothingAboveTheLastClass) {
  for (std::uint32_t L : {0u, 1u, 4u, 11u, 30u}) {
    TParameterEigenschaften eig = test::Eigenschaften(162);
    TStatistik s;
    s.summe = 1000;
    s.n = L;
    const auto x = test::Werte(0);
    const KlassenHaeufigkeiten f{};
    auto NP = std::make_unique<Erwartungswerte>();
    NP->fill(-7);
    Parametervektor par{10, 0.3, 0.4};
    FpFaultScope scope;
    ASSERT_TRUE(ErwartungswerteBerechnen(162, par, s, *x, f, *NP, eig));
    EXPECT_FALSE(scope.Faulted());
    for (std::uint32_t i = L + 1; i < L + 50; ++i)
      EXPECT_EQ((*NP)[i], -7) << "L=" << L << " i=" << i;
    long double unter = 0;
    for (std::uint32_t i = 0; i < L; ++i) unter += (*NP)[i];
    EXPECT_TRUE(test::Near((*NP)[L], static_cast<double>(1000 - unter), test::kTight, test::kTight))
        << "L=" << L;
  }
}

// Member 163 is defined on the values m, m + 1, ...: data starting elsewhere fail.
TEST(Members153Family, StirlingNeedsTheFirstValueM) {
  for (std::uint32_t x0 : {1u, 2u, 3u, 4u}) {
    Parametervektor par{1.5};
    const Lauf l = test::Auswerten(163, par, {3}, 10, x0);
    EXPECT_EQ(l.fehler, x0 != 3) << "x0=" << x0;
  }
}

// Where the members reduce to simpler ones: the same frequencies class by class.
TEST(Members153Family, SpecialCasesAreTheSimplerMembers) {
  const struct {
    const char* name;
    std::uint32_t nummer;
    Parametervektor par;
    Fest fest;
    std::uint32_t einfach;
    Parametervektor einfachPar;
    Fest einfachFest;
    std::uint32_t x0, L;
  } kFaelle[] = {
      {"153 with b = 0 is the binomial", 153, {0.3, 0}, {12}, 1, {0.3}, {12}, 0, 12},
      {"154 with b = 1 is the binomial", 154, {0.35, 1}, {3, 15}, 1, {0.35}, {15}, 0, 15},
      {"155 with b = 1 is the Poisson", 155, {2.5, 1}, {3}, 2, {2.5}, {}, 0, 20},
      {"162 with w = 0 is the binomial", 162, {12, 0.4, 0}, {}, 1, {0.4}, {12}, 0, 12},
      {"163 with m = 1 is the zero-truncated Poisson", 163, {2.5}, {1}, 10, {2.5}, {}, 1, 20},
      {"164 with b = 1 is the binomial", 164, {0.5, 1}, {12, 4}, 1, {1.0 / 3}, {12}, 0, 12},
      {"166 with b = 1 is the Poisson", 166, {3, 1}, {2}, 2, {3}, {}, 0, 20},
  };
  for (const auto& c : kFaelle) {
    Parametervektor p1 = c.par, p2 = c.einfachPar;
    const Lauf a = test::Auswerten(c.nummer, p1, c.fest, c.L, c.x0);
    const Lauf b = test::Auswerten(c.einfach, p2, c.einfachFest, c.L, c.x0);
    ASSERT_FALSE(a.fehler || b.fehler) << c.name;
    for (std::uint32_t i = 0; i <= c.L; ++i)
      EXPECT_TRUE(test::Near((*a.NP)[i], (*b.NP)[i], test::kLong, test::kLogRoute))
          << c.name << ", i=" << i;
  }
}

// 157 is the number in a queue with a constant service time: over classes far enough out its
// mean is the load a plus a^2/(2 (1 - a)), for every load including the small ones the sweep
// leaves out.
TEST(Members153Family, QueueHasTheMeanOfConstantService) {
  for (double a : {0.001, 0.05, 0.3, 0.7, 0.9}) {
    Parametervektor par{a};
    const std::uint32_t L = 600;
    const Lauf l = test::Auswerten(157, par, {}, L);
    ASSERT_FALSE(l.fehler) << a;
    long double mittel = 0;
    for (std::uint32_t i = 0; i <= L; ++i) {
      EXPECT_GE((*l.NP)[i], 0) << "a=" << a << " i=" << i;
      mittel += i * (*l.NP)[i] / 1000.0L;
    }
    EXPECT_TRUE(test::Near(static_cast<double>(mittel), a + a * a / (2 * (1 - a)), test::kLogRoute))
        << "a=" << a << ": " << static_cast<double>(mittel);
  }
}

// The member's own frequencies over classes far enough out that the last class holds nothing,
// read back by its estimates: the slots that are exact for the model give its parameters.
TEST(Members153Family, EstimatesRecoverTheParameters) {
  const struct {
    std::uint32_t nummer;
    Parametervektor par;
    Fest fest;
    std::uint32_t x0, L;
    std::uint32_t slot;
    double erwartet;
  } kFaelle[] = {
      {153, {0.3, 0}, {40}, 0, 40, 0, 0.3},    // 1 - sqrt((n - M)/(n + f1/f0)) without correction
      {153, {0.3, 0}, {40}, 0, 40, 1, 0},      // the correction from the mean
      {155, {2.5, 0.4}, {3}, 0, 80, 1, 2.5},   // the share below m
      {155, {2.5, 0.4}, {3}, 0, 80, 51, 0.4},  // b from the mean
      {155, {2.5, 0.4}, {3}, 0, 80, 54, 0.4},  // b from the class m
      {157, {0.4}, {}, 0, 200, 0, 0.4},        // 1 - f0/N
      {157, {0.4}, {}, 0, 200, 1, 0.4},        // ln(f1/f0 + 1)
      {158, {3, 0.7}, {}, 0, 60, 1, 0.7},      // sqrt(f1 f3 / f2^2)
      {158, {3, 0.7}, {}, 0, 60, 0, 3},        // the ratio regression
      {159, {0.4, 0.3}, {}, 0, 200, 0, 0.4},   // from the factorial moments
      {159, {0.4, 0.3}, {}, 0, 200, 1, 0.3},   // from the mean
      {163, {2.5}, {3}, 3, 80, 0, 2.5},        // 2 f1/(m f0)
      {165, {0.5, 0.3}, {3}, 0, 80, 0, 0.5},   // first ratios
      {165, {0.5, 0.3}, {3}, 0, 80, 1, 0.3},
      {165, {0.5, 0.3}, {3}, 0, 80, 50, 0.5},  // ratios at m
      {165, {0.5, 0.3}, {3}, 0, 80, 51, 0.3},
      {166, {3, 0.5}, {2}, 0, 80, 0, 3},    // 2 f2/f1
      {166, {3, 0.5}, {2}, 0, 80, 1, 0.5},  // the ratio at m
  };
  for (const auto& c : kFaelle) {
    Parametervektor par = c.par;
    const Lauf l = test::Auswerten(c.nummer, par, c.fest, c.L, c.x0);
    ASSERT_FALSE(l.fehler);
    const Schaetzwerttabelle E =
        test::SchaetzwerteAus(c.nummer, c.fest, test::Frequenzen(l, c.L), c.x0);
    EXPECT_TRUE(test::Near(E[c.slot], c.erwartet, test::kRecovered, test::kSeries))
        << "member " << c.nummer << " slot " << c.slot << ": " << E[c.slot];
  }
}

}  // namespace
}  // namespace vk
