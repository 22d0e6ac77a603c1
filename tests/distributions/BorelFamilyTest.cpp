// SPDX-License-Identifier: GPL-3.0-or-later
// Borel (81) and Borel-Tanner (82) distributions: the one is the other started at b = 1, the
// mean 1/(1 - a) of the Borel distribution gives a back, and a first value b that the data do
// not allow fails.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "core/FpFault.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Lauf;

Lauf Rechnen(std::uint32_t nummer, double a, double b, std::uint32_t L, std::uint32_t x0) {
  Parametervektor par{a};
  return test::Auswerten(nummer, par, {b}, L, x0);
}

TEST(BorelFamily, BorelTannerFromOneIsBorel) {
  const Lauf borel = Rechnen(81, 0.45, 0, 30, 1);
  const Lauf tanner = Rechnen(82, 0.45, 1, 30, 1);
  ASSERT_FALSE(borel.fehler || tanner.fehler);
  for (std::uint32_t i = 0; i <= 30; ++i)
    // The last class is N minus the others: an absolute tolerance for it.
    EXPECT_TRUE(test::Near((*borel.NP)[i], (*tanner.NP)[i], test::kChain, test::kTight)) << i;
}

TEST(BorelFamily, MeanGivesABack) {
  const std::uint32_t L = 400;
  const Lauf l = Rechnen(81, 0.3, 0, L, 1);
  ASSERT_FALSE(l.fehler);
  const auto d = test::Klassen(std::vector<double>(l.NP->begin(), l.NP->begin() + L + 1), 1);
  Schaetzwerttabelle E{};
  ASSERT_TRUE(SchaetzwerteBerechnen(81, d->Statistik, test::Eigenschaften(81), E, d->Haeufigkeiten,
                                    d->XWerte));
  EXPECT_TRUE(test::Near(E[0], 0.3, test::kRecovered)) << E[0];
}

// Class 0 holds the value b: on data from 2, b = 3 leaves x - b = 0 in class 1, and b must be
// positive.
TEST(BorelFamily, FirstValueTheDataDoNotAllowFails) {
  EXPECT_TRUE(Rechnen(82, 0.4, 3, 10, 2).fehler);
  EXPECT_TRUE(Rechnen(82, 0.4, 0, 10, 2).fehler);
  EXPECT_FALSE(Rechnen(82, 0.4, 2, 10, 2).fehler);
}

}  // namespace
}  // namespace vk
