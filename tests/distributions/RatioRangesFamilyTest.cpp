// SPDX-License-Identifier: GPL-3.0-or-later
// Distributions on 0..L built from ratios (member 70 with three ranges, member 71 the mirrored
// truncated Poisson) and the generalized Waring distribution (74): identities with simpler
// members, estimates that give the parameter back, and given values that leave a formula
// undefined.
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

using test::Fest;

using test::Lauf;

Lauf Rechnen(std::uint32_t nummer, Parametervektor par, const Fest& fest, std::uint32_t L) {
  return test::Auswerten(nummer, par, fest, L);
}

Schaetzwerttabelle Schaetzen(std::uint32_t nummer, const Lauf& l, const Fest& fest,
                             std::uint32_t L) {
  const auto d = test::Klassen(std::vector<double>(l.NP->begin(), l.NP->begin() + L + 1));
  TParameterEigenschaften eig = test::Eigenschaften(nummer);
  eig.festparameter = fest;
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  EXPECT_TRUE(SchaetzwerteBerechnen(nummer, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte));
  EXPECT_FALSE(scope.Faulted());
  return E;
}

// With the first range covering every class, member 70 is the right-truncated Poisson
// distribution with mean a c (member 12); member 71 is that distribution read from L down.
TEST(RatioRangesFamily, IdentitiesWithTheTruncatedPoisson) {
  const std::uint32_t L = 9;
  const Lauf drei = Rechnen(70, {1.5}, {L, L + 2, 0.8}, L);
  const Lauf gespiegelt = Rechnen(71, {1.2}, {}, L);
  const Lauf poisson = Rechnen(12, {1.2}, {}, L);
  ASSERT_FALSE(drei.fehler || gespiegelt.fehler || poisson.fehler);
  for (std::uint32_t i = 0; i <= L; ++i) {
    EXPECT_TRUE(test::Near((*drei.NP)[i], (*poisson.NP)[i], test::kChain)) << i;
    EXPECT_TRUE(test::Near((*gespiegelt.NP)[i], (*poisson.NP)[L - i], test::kChain)) << i;
  }
}

// The generalized Waring distribution with c = 1 is the Waring distribution with rho = a and
// alpha = b (member 19).
TEST(RatioRangesFamily, GeneralizedWaringWithCOneIsWaring) {
  const Lauf gw = Rechnen(74, {2.5, 1.7, 1}, {}, 15);
  const Lauf waring = Rechnen(19, {2.5, 1.7}, {}, 15);
  ASSERT_FALSE(gw.fehler || waring.fehler);
  for (std::uint32_t i = 0; i <= 15; ++i)
    EXPECT_TRUE(test::Near((*gw.NP)[i], (*waring.NP)[i], test::kTight)) << i;
}

// Each range's regression is exact on the member's own (truncated, so complete) frequencies; the
// mirrored Poisson's mean iteration settles on a within its tolerance.
TEST(RatioRangesFamily, EstimatesRecoverTheParameter) {
  const Fest fest{2, 5, 0.8};
  const Lauf drei = Rechnen(70, {0.7}, fest, 12);
  ASSERT_FALSE(drei.fehler);
  const Schaetzwerttabelle E = Schaetzen(70, drei, fest, 12);
  for (std::uint32_t s : {0u, 1u, 2u}) EXPECT_TRUE(test::Near(E[s], 0.7, test::kTight)) << s;
  const Lauf gespiegelt = Rechnen(71, {3}, {}, 10);
  ASSERT_FALSE(gespiegelt.fehler);
  EXPECT_NEAR(Schaetzen(71, gespiegelt, {}, 10)[3], 3, test::kSearched);
}

// A factor c of 0 or below and a divisor l of 0 in a range that has classes leave member 70
// undefined.
TEST(RatioRangesFamily, UndefinedRangesFail) {
  EXPECT_TRUE(Rechnen(70, {0.5}, {2, 5, 0}, 12).fehler);
  EXPECT_TRUE(Rechnen(70, {0.5}, {2, 5, -1}, 12).fehler);
  EXPECT_TRUE(Rechnen(70, {0.5}, {0, 0, 1}, 12).fehler);
  EXPECT_FALSE(Rechnen(70, {0.5}, {12, 0, 1}, 12).fehler);
}

}  // namespace
}  // namespace vk
