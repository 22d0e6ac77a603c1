// SPDX-License-Identifier: GPL-3.0-or-later
// Every member on its example with parameters far outside any domain, free and fixed, one at a
// time and all at once: a simplex step, the fixed-parameter dialog or a hostile catalog can hand
// in anything. A member must neither crash nor leave its arrays (the sanitizer builds watch
// that); it either computes finite expected frequencies or raises a fault, which the engine turns
// into a failed evaluation. Its estimates must not crash either, and every start they give is
// held to the same rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <ostream>
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

inline constexpr double kN = 1000;
inline constexpr double kInf = std::numeric_limits<double>::infinity();
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kKleinste = std::numeric_limits<double>::denorm_min();
inline constexpr double kGroesste = std::numeric_limits<double>::max();

// Each value stands for a way a parameter can break a member: a sign, a zero to divide by, a
// magnitude that overflows, no value at all, and counts that leave the integer types (2^31 an
// int32, 2^32 - 1 and 2^32 a uint32), the factor limit (FaktorAnzahl), the last class index or
// the factorial table.
inline constexpr double kExtremwerte[] = {
    -1,     -0.5,       -1e300, -kInf, -0.0,      0,       kKleinste, 1e-300,
    0.5,    1,          171,    19999, 20000,     20000.5, 20001,     1e7 + 0.5,
    0x1p31, 0x1p32 - 1, 0x1p32, 1e300, kGroesste, kInf,    kNaN};

// At 20001 classes an evaluation costs a thousand times more: a few values only.
inline constexpr double kExtremwerteGross[] = {-1, 1e300, kNaN};

// Members whose every class sums over the classes below it (a convolution, an inner series up to
// the class value): at 20001 classes one evaluation takes seconds, so they keep to the example's
// classes. Their counts are bounded the same way as everyone else's.
inline constexpr std::uint32_t kQuadratisch[] = {
    16,  30,  39,  88,  118, 119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130,
    140, 141, 142, 143, 146, 148, 149, 151, 155, 157, 173, 174, 193, 194, 195, 196};

// Classes above L that a member must leave alone, faulted or not: the 100 terms beyond L of an
// infinite support are the likeliest to be written there by mistake, and the top of the array is
// where a count near the last class index (19999, 20000, 20000.5) would reach.
inline constexpr std::uint32_t kFenster = 200;

// One vector of the grid: the example with one parameter (or all) replaced.
struct Abwandlung {
  std::string name;
  Parametervektor par;
  Fest fest;
};

std::vector<Abwandlung> Abwandlungen(const Member& m, const Beispiel& b, double w) {
  std::vector<Abwandlung> a;
  for (std::uint32_t j = 0; j < m.parZahl; ++j) {
    a.push_back({"free parameter " + std::to_string(j), b.par, b.fest});
    a.back().par[j] = w;
  }
  for (std::uint32_t j = 0; j < m.festparZahl; ++j) {
    a.push_back({"fixed parameter " + std::to_string(j), b.par, b.fest});
    a.back().fest[j] = w;
  }
  a.push_back({"all parameters", b.par, b.fest});
  std::fill_n(a.back().par.begin(), m.parZahl, w);
  std::fill_n(a.back().fest.begin(), m.festparZahl, w);
  return a;
}

// What a failure reports, formatted only when one occurs.
struct Fall {
  const char* flags;
  double wert;
  const std::string* abwandlung;
  const char* was;
  std::uint32_t L;
};

std::ostream& operator<<(std::ostream& os, const Fall& c) {
  return os << c.was << ", " << *c.abwandlung << " = " << c.wert << ", " << c.flags
            << ", L = " << c.L;
}

// The domain flags of the shipped catalog, or none: the names and counts stay, so that member
// 205 still finds its parameters by name.
TParameterEigenschaften OhneFlags(const TParameterEigenschaften& mit) {
  TParameterEigenschaften eig;
  eig.parZahl = mit.parZahl;
  eig.festparZahl = mit.festparZahl;
  eig.alternativen = mit.alternativen;
  eig.parNamen = mit.parNamen;
  eig.festparNamen = mit.festparNamen;
  return eig;
}

// The classes above L that are watched: kFenster above L and kFenster at the top of the array.
template <typename F>
void UeberLJeweils(std::uint32_t L, F f) {
  for (std::uint32_t i = L + 1; i <= std::min(L + kFenster, kMaxKlassenIndex); ++i) f(i);
  for (std::uint32_t i = std::max(L + kFenster + 1, kMaxKlassenIndex - kFenster);
       i <= kMaxKlassenIndex; ++i)
    f(i);
}

inline constexpr std::uint32_t kEigeneKlassengrenze = 110;

// One evaluation through the dispatch: either a fault, or finite classes 0..L; in both cases
// nothing written above L. The classes start as NaN, so an unwritten one is caught too.
void AuswertungPruefen(std::uint32_t nummer, const Eingaben& in, Parametervektor par,
                       Erwartungswerte& NP, const Fall& fall) {
  const std::uint32_t L = in.stat.n;
  std::fill(NP.begin(), NP.begin() + L + 1, kNaN);
  UeberLJeweils(L, [&](std::uint32_t i) { NP[i] = kNaN; });
  bool fehler = false;
  {
    FpFaultScope scope;
    ASSERT_TRUE(ErwartungswerteBerechnen(nummer, in, par, NP));
    fehler = scope.Faulted();
  }
  // Member 110 runs its classes to its own bound Int(n) - 1, which may lie beyond L: only what
  // lies above that bound must stay unwritten.
  std::uint32_t grenze = L;
  if (nummer == kEigeneKlassengrenze && !fehler && par[0] >= 1 && par[0] <= kMaxKlassen)
    grenze = std::max(L, static_cast<std::uint32_t>(par[0]) - 1);
  std::uint32_t geschrieben = 0;
  UeberLJeweils(L, [&](std::uint32_t i) {
    if (geschrieben == 0 && i > grenze && !std::isnan(NP[i])) geschrieben = i;
  });
  EXPECT_EQ(geschrieben, 0u) << fall << ": class " << geschrieben << " above L written";
  if (fehler) return;
  std::uint32_t i = 0;
  while (i <= L && std::isfinite(NP[i])) ++i;
  EXPECT_GT(i, L) << fall << ": NP[" << i << "] = " << NP[i] << " without a fault";
}

// The estimates on data `in`, then every alternative (and one on each side of them) and the
// evaluation of its start. The special model reads b1 and b2 from the table, as the special
// fitting leaves them there (by default the vector's, in catalog order); a start element the
// alternative does not write keeps the vector's value.
void SchaetzungPruefen(const Member& m, const Eingaben& in, const Parametervektor& par,
                       Erwartungswerte& NP, const Fall& fall, double b1 = kNaN, double b2 = kNaN) {
  Schaetzwerttabelle E;
  E.fill(kNaN);
  if (m.nummer == kSpezialIndex) {
    E[kSpezialSlotB1] = std::isnan(b1) ? par[3] : b1;
    E[kSpezialSlotB2] = std::isnan(b2) ? par[4] : b2;
  }
  {
    FpFaultScope scope;
    ASSERT_TRUE(SchaetzwerteBerechnen(m.nummer, in, E));
  }
  for (std::uint32_t k = 0; k <= m.Alternativen() + 1; ++k) {
    Parametervektor start = par;
    {
      FpFaultScope scope;
      ASSERT_TRUE(AlternativeWaehlen(m.nummer, in, k, E, start));
    }
    Fall f = fall;
    const std::string was = std::string(fall.was) + ", start of alternative " + std::to_string(k);
    f.was = was.c_str();
    AuswertungPruefen(m.nummer, in, start, NP, f);
  }
}

// The example's own expected frequencies as a data set.
std::unique_ptr<TDatensatz> BeispielDaten(const Beispiel& b, const TParameterEigenschaften& eig) {
  TStatistik stat;
  stat.summe = kN;
  stat.n = b.L;
  const auto x = Werte(b.x0);
  const auto f = std::make_unique<KlassenHaeufigkeiten>();
  auto NP = std::make_unique<Erwartungswerte>();
  Parametervektor par = b.par;
  {
    FpFaultScope scope;
    EXPECT_TRUE(ErwartungswerteBerechnen(b.nummer, Eingaben{stat, *f, *x, eig}, par, *NP));
    EXPECT_FALSE(scope.Faulted()) << "the example must evaluate";
  }
  auto d = Klassen(std::vector<double>(NP->begin(), NP->begin() + b.L + 1), b.x0);
  EXPECT_TRUE(d->DatenGueltig);
  return d;
}

void GitterPruefen(bool mitKatalogFlags) {
  auto NP = std::make_unique<Erwartungswerte>();
  const char* flags = mitKatalogFlags ? "catalog's flags" : "no flags";
  for (const Beispiel& b : kBeispiele) {
    const Member* m = MitgliedSuchen(b.nummer);
    ASSERT_NE(m, nullptr);
    SCOPED_TRACE("member " + std::to_string(b.nummer) + " (" + m->name + ")");
    const TParameterEigenschaften katalog = BeispielEigenschaften(b);
    const auto daten = BeispielDaten(b, katalog);
    // The reader refuses a data set of one class, so only the evaluation sees L = 0: with the
    // example's classes and statistics cut to the first class.
    TStatistik eineKlasse = daten->Statistik;
    eineKlasse.n = 0;
    TParameterEigenschaften eig = mitKatalogFlags ? katalog : OhneFlags(katalog);
    for (double w : kExtremwerte) {
      for (const Abwandlung& a : Abwandlungen(*m, b, w)) {
        eig.festparameter = a.fest;
        const Eingaben in{daten->Statistik, daten->Haeufigkeiten, daten->XWerte, eig};
        AuswertungPruefen(m->nummer, in, a.par, *NP,
                          Fall{flags, w, &a.name, "expected frequencies", b.L});
        SchaetzungPruefen(*m, in, a.par, *NP, Fall{flags, w, &a.name, "estimates", b.L});
        const Eingaben in0{eineKlasse, daten->Haeufigkeiten, daten->XWerte, eig};
        AuswertungPruefen(m->nummer, in0, a.par, *NP,
                          Fall{flags, w, &a.name, "expected frequencies", 0});
      }
    }
  }
}

// The special fitting may hold a0, a1 and a2 fixed, and the special model then finds them by name
// among fixed parameters that its record does not count. Each held set carries the value, the
// rest of the vector keeps the example's; no domain flags, as the dialog hands the values in.
TEST(ExtremeVectors, SpecialModelWithParametersHeldByName) {
  const Beispiel* b = BeispielSuchen(kSpezialIndex);
  ASSERT_NE(b, nullptr);
  const Member* m = MitgliedSuchen(kSpezialIndex);
  const TParameterEigenschaften katalog = BeispielEigenschaften(*b);
  ASSERT_EQ(katalog.parNamen[0], "a0");
  const auto daten = BeispielDaten(*b, katalog);
  auto NP = std::make_unique<Erwartungswerte>();
  const std::string namen[] = {"a0 held", "a0, a1 held", "a0, a1, a2 held"};
  for (double w : kExtremwerte) {
    for (std::uint32_t gehalten = 1; gehalten <= kMaxFestparameter; ++gehalten) {
      TParameterEigenschaften eig = OhneFlags(katalog);
      eig.festparZahl = gehalten;
      eig.parZahl = m->parZahl - gehalten;
      Parametervektor par{};
      for (std::uint32_t k = 0; k < gehalten; ++k) {
        eig.festparNamen[k] = katalog.parNamen[k];
        eig.festparameter[k] = w;
      }
      for (std::uint32_t j = 0; j < eig.parZahl; ++j) {
        eig.parNamen[j] = katalog.parNamen[gehalten + j];
        par[j] = b->par[gehalten + j];
      }
      for (std::uint32_t j = eig.parZahl; j < kMaxParameter; ++j) eig.parNamen[j].clear();
      const Eingaben in{daten->Statistik, daten->Haeufigkeiten, daten->XWerte, eig};
      const std::string& name = namen[gehalten - 1];
      AuswertungPruefen(kSpezialIndex, in, par, *NP,
                        Fall{"no flags", w, &name, "expected frequencies", b->L});
      SchaetzungPruefen(*m, in, par, *NP, Fall{"no flags", w, &name, "estimates", b->L}, b->par[3],
                        b->par[4]);
    }
  }
}

TEST(ExtremeVectors, FaultOrFiniteWithTheCatalogsFlags) {
  GitterPruefen(true);
}

// The fixed-parameter dialog and a catalog without domain bits hand values in uncorrected.
TEST(ExtremeVectors, FaultOrFiniteWithoutDomainFlags) {
  GitterPruefen(false);
}

// 20001 classes, the most a data set holds: the example's vector and a few extreme ones, for the
// expected frequencies and for the estimates on a long geometric data set.
TEST(ExtremeVectors, FaultOrFiniteAtTheLargestClassIndex) {
  // One data set for each first class value the examples use, up to the largest x value.
  std::vector<std::unique_ptr<TDatensatz>> nachX0;
  auto NP = std::make_unique<Erwartungswerte>();
  const std::string beispiel = "example vector";
  for (const Beispiel& b : kBeispiele) {
    if (std::find(std::begin(kQuadratisch), std::end(kQuadratisch), b.nummer) !=
        std::end(kQuadratisch))
      continue;
    const Member* m = MitgliedSuchen(b.nummer);
    ASSERT_NE(m, nullptr);
    SCOPED_TRACE("member " + std::to_string(b.nummer) + " (" + m->name + ")");
    if (nachX0.size() <= b.x0) nachX0.resize(b.x0 + 1);
    if (!nachX0[b.x0]) {
      std::vector<double> lang(kMaxX - b.x0 + 1);
      for (std::size_t i = 0; i < lang.size(); ++i) lang[i] = 1 + 1000 * std::pow(0.99, i);
      nachX0[b.x0] = Klassen(lang, b.x0);
    }
    const TDatensatz* d = nachX0[b.x0].get();
    ASSERT_TRUE(d->DatenGueltig);
    TParameterEigenschaften eig = BeispielEigenschaften(b);
    const Eingaben in{d->Statistik, d->Haeufigkeiten, d->XWerte, eig};
    const std::uint32_t L = d->Statistik.n;
    const Fall fall{"catalog's flags", 0, &beispiel, "expected frequencies", L};
    AuswertungPruefen(m->nummer, in, b.par, *NP, fall);
    SchaetzungPruefen(*m, in, b.par, *NP, fall);
    for (double w : kExtremwerteGross) {
      const std::vector<Abwandlung> alle = Abwandlungen(*m, b, w);
      const Abwandlung& a = alle.back();
      eig.festparameter = a.fest;
      AuswertungPruefen(m->nummer, in, a.par, *NP,
                        Fall{"catalog's flags", w, &a.name, "expected frequencies", L});
    }
  }
}

}  // namespace
}  // namespace vk::test
