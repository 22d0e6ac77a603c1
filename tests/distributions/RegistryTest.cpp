// SPDX-License-Identifier: GPL-3.0-or-later
// The registry, the dispatch, and the checks that every registered member must pass.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "core/FpFault.h"
#include "distributions/Dispatch.h"
#include "distributions/Registry.h"
#include "tests/distributions/Support.h"
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

// Properties for a run of member `m` on real data, as the engine would prepare them. The
// special model needs its parameter names and the shifts its caller sets before estimating.
TParameterEigenschaften LaufEigenschaften(const Member& m, Schaetzwerttabelle& E) {
  TParameterEigenschaften eig = test::Eigenschaften(m.nummer);
  // Fixed parameters as a user would give them for the sample data (values from 0 to at most
  // 14): numbers of trials above the largest value, a truncation point at or near the first.
  struct Fest {
    std::uint32_t nummer;
    std::array<double, kMaxFestparameter> wert;
  };
  static const Fest kFest[] = {{1, {20}},  {3, {20}},  {9, {0.3}},    {11, {0}},     {13, {1}},
                               {14, {20}}, {22, {20}}, {23, {1}},     {24, {20, 2}}, {26, {2}},
                               {30, {1}},  {32, {14}}, {33, {2, 20}}, {37, {2}},     {43, {1}},
                               {44, {2}},  {47, {2}},  {48, {2}},     {52, {20}},    {54, {14}}};
  for (const Fest& w : kFest) {
    if (w.nummer == m.nummer) eig.festparameter = w.wert;
  }
  if (m.nummer == kSpezialIndex) {
    const char* namen[] = {"a0", "a1", "a2", "b1", "b2"};
    for (std::uint32_t j = 0; j < 5; ++j) eig.parNamen[j] = namen[j];
    E[150] = 0.5;
    E[200] = 1.5;
  }
  return eig;
}

// Every member, on real data sets: the estimates raise no fault, every alternative yields a
// finite start vector, and the expected frequencies at it are finite unless the evaluation
// failed by a fault. (Whether they form a proper distribution depends on the catalog's domain
// flags and the data; the family tests check that where it holds.)
TEST(AllMembers, RealDataGiveFiniteStartsAndFrequencies) {
  auto NP = std::make_unique<Erwartungswerte>();
  for (const char* datei : {"horse-kicks.dat", "shell-accidents.dat", "alpha-particles.dat"}) {
    const auto d = test::Beispieldaten(datei);
    ASSERT_TRUE(d->DatenGueltig) << datei;
    for (const Member* m : Mitglieder()) {
      SCOPED_TRACE(std::string(datei) + ", member " + std::to_string(m->nummer));
      Schaetzwerttabelle E{};
      const TParameterEigenschaften eig = LaufEigenschaften(*m, E);
      FpFaultScope scope;
      ASSERT_TRUE(
          SchaetzwerteBerechnen(m->nummer, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte));
      EXPECT_FALSE(scope.Faulted()) << "estimates";
      for (std::uint32_t k = 1; k <= m->Alternativen(); ++k) {
        Parametervektor par{};
        ASSERT_TRUE(AlternativeWaehlen(m->nummer, k, E, d->Haeufigkeiten, par, eig));
        for (std::uint32_t j = 0; j < m->parZahl; ++j) {
          EXPECT_TRUE(std::isfinite(par[j])) << "alternative " << k << ", parameter " << j;
        }
        scope.Reset();
        ASSERT_TRUE(ErwartungswerteBerechnen(m->nummer, par, d->Statistik, d->XWerte,
                                             d->Haeufigkeiten, *NP, eig));
        if (scope.Faulted()) continue;
        for (std::uint32_t i = 0; i <= d->Statistik.n; ++i) {
          EXPECT_TRUE(std::isfinite((*NP)[i])) << "alternative " << k << " i=" << i;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vk
