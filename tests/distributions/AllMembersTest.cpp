// SPDX-License-Identifier: GPL-3.0-or-later
// Every member of the library on its example (Beispiele.h), with the domain flags of the shipped
// catalog: its expected frequencies form a distribution under its own tail rule, its estimates
// fill every slot its alternatives read, and every alternative starts from a finite vector.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/FpFault.h"
#include "distributions/Registry.h"
#include "distributions/Spezialmodell.h"
#include "tests/distributions/Beispiele.h"
#include "tests/distributions/KatalogBeispiel.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"

namespace vk::test {
namespace {

// Below this times N an expected frequency is a rounding error of a zero, not a negative one.
inline constexpr double kNegativRundung = 1e-9;
inline constexpr double kN = 1000;

struct Auswertung {
  bool fehler = false;
  std::unique_ptr<Erwartungswerte> NP = std::make_unique<Erwartungswerte>();
};

Auswertung Auswerten(const Beispiel& b, const TParameterEigenschaften& eig, Parametervektor par,
                     const TStatistik& stat, const KlassenHaeufigkeiten& f, const KlassenWerte& x) {
  Auswertung a;
  a.NP->fill(std::numeric_limits<double>::quiet_NaN());
  FpFaultScope scope;
  EXPECT_TRUE(ErwartungswerteBerechnen(b.nummer, Eingaben{stat, f, x, eig}, par, *a.NP));
  a.fehler = scope.Faulted();
  return a;
}

// Finite, not negative beyond rounding, and the last class by the member's tail rule; in sum N.
void AlsVerteilungPruefen(const Member& m, const Erwartungswerte& NP, std::uint32_t L, double N) {
  long double unterL = 0;
  for (std::uint32_t i = 0; i <= L; ++i) {
    EXPECT_TRUE(std::isfinite(NP[i])) << "i=" << i;
    EXPECT_GE(NP[i], -kNegativRundung * N) << "i=" << i;
    if (i < L) unterL += NP[i];
  }
  const long double rest = static_cast<long double>(N) - unterL;
  switch (m.rest) {
    case Restregel::kBetrag:
      EXPECT_EQ(NP[L], static_cast<double>(std::fabs(rest))) << "tail with absolute value";
      break;
    case Restregel::kOhneBetrag:
      EXPECT_EQ(NP[L], static_cast<double>(rest)) << "tail without absolute value";
      break;
    case Restregel::kKeine:
      break;
  }
  EXPECT_TRUE(Near(Summe(NP, L), N, kTight)) << "the classes sum to N";
}

TEST(AllMembers, EveryMemberHasAnExampleOrAWrittenExemption) {
  for (const Member* m : Mitglieder()) {
    bool ausgenommen = false;
    for (const OhneBeispiel& o : kOhneBeispiel) ausgenommen |= o.nummer == m->nummer;
    EXPECT_NE(BeispielSuchen(m->nummer) != nullptr, ausgenommen)
        << "member " << m->nummer << ": one example row, or an exemption with its reason";
  }
  for (const Beispiel& b : kBeispiele) {
    const Member* m = MitgliedSuchen(b.nummer);
    ASSERT_NE(m, nullptr) << "example for a number without a member: " << b.nummer;
    for (std::uint32_t j = m->parZahl; j < kMaxParameter; ++j)
      EXPECT_EQ(b.par[j], 0) << "member " << b.nummer << " has only " << m->parZahl;
    for (std::uint32_t j = m->festparZahl; j < kMaxFestparameter; ++j)
      EXPECT_EQ(b.fest[j], 0) << "member " << b.nummer << " has " << m->festparZahl << " fixed";
  }
}

// At its example a member evaluates without a fault, and what it computes is a distribution:
// a member that always faults fails here rather than being skipped.
TEST(AllMembers, ExampleGivesADistributionUnderTheTailRule) {
  const KlassenHaeufigkeiten f{};
  for (const Beispiel& b : kBeispiele) {
    const Member* m = MitgliedSuchen(b.nummer);
    ASSERT_NE(m, nullptr);
    SCOPED_TRACE("member " + std::to_string(b.nummer) + " (" + m->name + ")");
    const TParameterEigenschaften eig = BeispielEigenschaften(b);
    TStatistik stat;
    stat.summe = kN;
    stat.n = b.L;
    const auto x = Werte(b.x0);
    const Auswertung a = Auswerten(b, eig, b.par, stat, f, *x);
    ASSERT_FALSE(a.fehler) << "the example must evaluate";
    AlsVerteilungPruefen(*m, *a.NP, b.L, kN);
  }
}

// Refitting the example's own expected frequencies: the estimates raise no fault, every slot an
// alternative reads has been written (the table starts as NaN, so a slot read before it is
// written turns the start into NaN), and each start evaluates to a distribution.
TEST(AllMembers, EstimatesFillWhatTheAlternativesReadAndStartsEvaluate) {
  const KlassenHaeufigkeiten leer{};
  for (const Beispiel& b : kBeispiele) {
    const Member* m = MitgliedSuchen(b.nummer);
    ASSERT_NE(m, nullptr);
    SCOPED_TRACE("member " + std::to_string(b.nummer) + " (" + m->name + ")");
    const TParameterEigenschaften eig = BeispielEigenschaften(b);
    TStatistik erzeugend;
    erzeugend.summe = kN;
    erzeugend.n = b.L;
    const auto xErzeugend = Werte(b.x0);
    const Auswertung quelle = Auswerten(b, eig, b.par, erzeugend, leer, *xErzeugend);
    ASSERT_FALSE(quelle.fehler);
    const auto d =
        Klassen(std::vector<double>(quelle.NP->begin(), quelle.NP->begin() + b.L + 1), b.x0);
    ASSERT_TRUE(d->DatenGueltig);
    const Eingaben in{d->Statistik, d->Haeufigkeiten, d->XWerte, eig};

    Schaetzwerttabelle E;
    E.fill(std::numeric_limits<double>::quiet_NaN());
    if (b.nummer == kSpezialIndex) {
      // The special fitting hands the grid point to the estimates in these slots.
      E[kSpezialSlotB1] = b.par[3];
      E[kSpezialSlotB2] = b.par[4];
    }
    {
      FpFaultScope scope;
      ASSERT_TRUE(SchaetzwerteBerechnen(b.nummer, in, E));
      EXPECT_FALSE(scope.Faulted()) << "estimates";
    }
    for (std::uint32_t k = 1; k <= m->Alternativen(); ++k) {
      Parametervektor par{};
      ASSERT_TRUE(AlternativeWaehlen(b.nummer, in, k, E, par));
      bool endlich = true;
      for (std::uint32_t j = 0; j < m->parZahl; ++j) endlich &= std::isfinite(par[j]);
      EXPECT_TRUE(endlich) << "alternative " << k << " reads a slot that was not written";
      if (!endlich) continue;
      const Auswertung a = Auswerten(b, eig, par, d->Statistik, d->Haeufigkeiten, d->XWerte);
      EXPECT_FALSE(a.fehler) << "alternative " << k;
      if (!a.fehler) AlsVerteilungPruefen(*m, *a.NP, b.L, d->Statistik.summe);
    }
  }
}

}  // namespace
}  // namespace vk::test
