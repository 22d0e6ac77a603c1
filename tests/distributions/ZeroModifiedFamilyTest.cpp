// SPDX-License-Identifier: GPL-3.0-or-later
// Members whose class 0 is modified: the zero-modified logarithmic (72) and positive Poisson
// (73) with a given share b above 0, and the Poisson with a share of class 1 moved to class 0
// (83).
#include <gtest/gtest.h>

#include <cmath>
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

Lauf Rechnen(std::uint32_t nummer, Parametervektor par, const Fest& fest, std::uint32_t L) {
  return test::Auswerten(nummer, par, fest, L);
}

// The member's own frequencies over classes far enough out that the tail holds nothing, read
// back by its estimates: the slots that are exact for the model give its parameters.
TEST(ZeroModifiedFamily, EstimatesRecoverTheParameters) {
  const struct {
    std::uint32_t nummer;
    Parametervektor par;
    Fest fest;
    std::uint32_t L;
    std::uint32_t slot;
    double erwartet;
  } kFaelle[] = {
      {72, {0.5}, {0.7}, 90, 1, 0.5},   // fm2/(fm2 + m1) = a
      {73, {2}, {0.7}, 50, 1, 2},       // fm2/m1 = a
      {83, {3, 0.3}, {}, 50, 2, 3},     // a from f[0], f[1] and the mean
      {83, {3, 0.3}, {}, 50, 51, 0.3},  // b from f[0]/f[1] with that a
  };
  for (const auto& c : kFaelle) {
    const Lauf l = Rechnen(c.nummer, c.par, c.fest, c.L);
    ASSERT_FALSE(l.fehler);
    const Schaetzwerttabelle E = test::SchaetzwerteAus(c.nummer, c.fest, test::Frequenzen(l, c.L));
    EXPECT_TRUE(test::Near(E[c.slot], c.erwartet, test::kRecovered))
        << "member " << c.nummer << " slot " << c.slot << ": " << E[c.slot];
  }
}

// Without a moved share member 83 is the Poisson distribution (member 2).
TEST(ZeroModifiedFamily, NoMovedShareIsPoisson) {
  const Lauf verschoben = Rechnen(83, {2.5, 0}, {}, 12);
  const Lauf poisson = Rechnen(2, {2.5}, {}, 12);
  for (std::uint32_t i = 0; i < 12; ++i)
    EXPECT_TRUE(test::Near((*verschoben.NP)[i], (*poisson.NP)[i], test::kShort)) << i;
}

// A share above 0 outside [0, 1] would make class 0 or the others negative.
TEST(ZeroModifiedFamily, GivenShareOutsideTheUnitIntervalFails) {
  for (std::uint32_t nummer : {72u, 73u}) {
    EXPECT_TRUE(Rechnen(nummer, {0.5}, {-0.1}, 8).fehler) << nummer;
    EXPECT_TRUE(Rechnen(nummer, {0.5}, {1.1}, 8).fehler) << nummer;
    EXPECT_FALSE(Rechnen(nummer, {0.5}, {1}, 8).fehler) << nummer;
  }
}

}  // namespace
}  // namespace vk
