// SPDX-License-Identifier: GPL-3.0-or-later
// The registry, the dispatch, and the checks that every registered member must pass.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "core/FpFault.h"
#include "distributions/Registry.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

TEST(Registry, MembersAreOrderedUniqueAndFindable) {
  const auto alle = Mitglieder();
  ASSERT_FALSE(alle.empty());
  for (std::size_t i = 0; i < alle.size(); ++i) {
    const Member* m = alle[i];
    ASSERT_NE(m, nullptr);
    SCOPED_TRACE(m->nummer);
    if (i > 0) {
      EXPECT_LT(alle[i - 1]->nummer, m->nummer) << "ascending and unique";
    }
    EXPECT_LT(m->nummer, kVerteilungsSlots);
    EXPECT_EQ(MitgliedSuchen(m->nummer), m);
    EXPECT_GE(m->parZahl, 1u);
    EXPECT_LE(m->parZahl, kMaxParameter);
    EXPECT_LE(m->festparZahl, kMaxFestparameter);
    EXPECT_GE(m->Alternativen(), 1u);
    EXPECT_GT(std::strlen(m->name), 0u);
    EXPECT_NE(m->schaetzwerte, nullptr);
    EXPECT_NE(m->alternative == nullptr, m->alternativenTabelle.empty()) << "a table or a routine";
    EXPECT_NE(m->erwartungswerte, nullptr);
  }
  EXPECT_EQ(MitgliedSuchen(kVerteilungsSlots), nullptr);
}

// A number without a member reports false and leaves every output as it was.
TEST(Dispatch, NumberWithoutMemberDoesNothing) {
  const auto d = test::Klassen({10, 5, 2});
  const TParameterEigenschaften eig = test::Eigenschaften(0);
  auto NP = std::make_unique<Erwartungswerte>();
  NP->fill(-1);
  for (std::uint32_t nummer : {kVerteilungsSlots, 4000000000u}) {
    Schaetzwerttabelle E{};
    E.fill(-1);
    Parametervektor par{};
    par.fill(-1);
    EXPECT_FALSE(SchaetzwerteBerechnen(nummer, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte));
    EXPECT_FALSE(AlternativeWaehlen(nummer, 1, E, d->Haeufigkeiten, par, eig));
    EXPECT_FALSE(
        ErwartungswerteBerechnen(nummer, par, d->Statistik, d->XWerte, d->Haeufigkeiten, *NP, eig));
    for (double e : E) EXPECT_EQ(e, -1);
    for (double p : par) EXPECT_EQ(p, -1);
  }
  for (double np : *NP) ASSERT_EQ(np, -1);
  for (std::uint32_t nummer = 0; nummer < kVerteilungsSlots; ++nummer) {
    Parametervektor par{};
    Schaetzwerttabelle E{};
    EXPECT_EQ(AlternativeWaehlen(nummer, 1, E, d->Haeufigkeiten, par, eig),
              MitgliedSuchen(nummer) != nullptr)
        << nummer;
  }
}

// A last class index beyond the arrays is a failed evaluation, not a write past their end.
TEST(Dispatch, ClassIndexBeyondArraysIsAFault) {
  TStatistik s;
  s.summe = 10;
  s.n = kMaxKlassenIndex + 1;
  auto NP = std::make_unique<Erwartungswerte>();
  const KlassenWerte x{};
  const KlassenHaeufigkeiten f{};
  for (const Member* m : Mitglieder()) {
    FpFaultScope scope;
    Parametervektor par{0.5, 0.5, 0.5, 0.5, 0.5};
    Schaetzwerttabelle E{};
    EXPECT_TRUE(SchaetzwerteBerechnen(m->nummer, s, test::Eigenschaften(m->nummer), E, f, x));
    EXPECT_TRUE(
        ErwartungswerteBerechnen(m->nummer, par, s, x, f, *NP, test::Eigenschaften(m->nummer)));
    EXPECT_TRUE(scope.Faulted()) << m->nummer;
  }
}

}  // namespace
}  // namespace vk
