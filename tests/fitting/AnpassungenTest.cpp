// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Anpassungen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/TextRecordSource.h"
#include "distributions/Registry.h"
#include "fitting/Anpassungsguete.h"
#include "fitting/Traeger.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

struct Par {
  const char* name;
  std::uint32_t bits;
};

std::unique_ptr<const TKatalogeintrag> Eintrag(std::uint32_t index, const char* name,
                                               std::uint32_t alternativen,
                                               std::vector<Par> parameter, bool spezial = false) {
  auto e = std::make_unique<TKatalogeintrag>();
  e->index = index;
  e->bezeichnung = name;
  e->gruppen = 3;
  e->alternativen = alternativen;
  e->parameterZahl = static_cast<std::uint32_t>(parameter.size());
  for (std::size_t k = 0; k < parameter.size(); ++k)
    e->parameter[k] = {parameter[k].name, parameter[k].bits};
  e->automatik = !spezial;
  e->spezial = spezial;
  return e;
}

// The entries of the first members, with the domain bits the shipped catalog gives them.
Verteilungsverzeichnis Katalog(std::uint32_t binomialAlternativen = 6) {
  Verteilungstabelle t;
  t[0] = Eintrag(0, "Binomial", binomialAlternativen, {{"n", 16}, {"p", 1}});
  t[6] = Eintrag(6, "Hyper-Pascal", 2, {{"k", 128}, {"m", 128}, {"q", 1}});
  t[16] =
      Eintrag(16, "Poisson-stopped negative binomial", 1, {{"lambda", 128}, {"k", 128}, {"c", 1}});
  t[205] = Eintrag(205, "Special model", 1, {{"a0", 0}, {"a1", 0}, {"a2", 0}, {"b1", 0}, {"b2", 0}},
                   true);
  return Verteilungsverzeichnis(std::move(t));
}

TVerteilung Ref(const Verteilungsverzeichnis& k, std::uint32_t index) {
  return Referenz(*k.VerteilungHolen(index));
}

Status Lesen(Anpassungen& a, const std::string& text) {
  std::istringstream in(text);
  TextRecordSource q(in);
  TDateneigenschaften e;
  return a.DatenLesen(q, e);
}

// Binomial(10, 0.3) expected frequencies for N = 1000, from lgamma (not the recurrence), rounded.
std::string BinomialDaten() {
  std::string text;
  for (int x = 0; x <= 10; ++x) {
    const double lp = std::lgamma(11.0) - std::lgamma(x + 1.0) - std::lgamma(11.0 - x) +
                      x * std::log(0.3) + (10 - x) * std::log(0.7);
    text += std::to_string(x) + " " + std::to_string(std::round(1000 * std::exp(lp))) + "\n";
  }
  return text;
}

// Callbacks that keep every reported fit.
Rueckrufe Sammler(std::vector<TAnpassung>& berichte) {
  Rueckrufe r;
  r.ergebnis = [&berichte](const TAnpassung& x) {
    berichte.push_back(x);
    return status::kOk;
  };
  return r;
}

TEST(GewaehlteAnpassung, FindsTheBinomialAgain) {
  const Verteilungsverzeichnis k = Katalog();
  auto a = std::make_unique<Anpassungen>(k);
  ASSERT_EQ(Lesen(*a, BinomialDaten()), status::kOk);
  std::vector<TAnpassung> berichte;
  const Rueckrufe r = Sammler(berichte);
  ASSERT_EQ(a->GewaehlteAnpassung(Ref(k, 0), true, r), status::kOk);
  ASSERT_EQ(berichte.size(), 1u);
  EXPECT_TRUE(berichte[0].BesteMethode);
  EXPECT_GT(berichte[0].PChi, 0.05);
  EXPECT_EQ(a->BesterVektor()[0], 10);
  EXPECT_TRUE(test::NearAbs(a->BesterVektor()[1], 0.3, test::kFitted));
  EXPECT_TRUE(Near(a->ParameterWertSuchen("p"), a->BesterVektor()[1], test::kExact));
  EXPECT_EQ(a->ParameterWertSuchen("q"), 123456789.0);
}

TEST(GewaehlteAnpassung, ReportsEveryMethodThenTheBest) {
  const Verteilungsverzeichnis k = Katalog();
  auto a = std::make_unique<Anpassungen>(k);
  ASSERT_EQ(Lesen(*a, BinomialDaten()), status::kOk);
  std::vector<std::string> spur;
  double summeNP = -1, summeZeilen = 0;
  Rueckrufe r;
  r.ergebnis = [&](const TAnpassung& x) {
    spur.push_back((x.BesteMethode ? "best" : "R") + std::to_string(x.Methode) +
                   (x.Status ? "!" : ""));
    return status::kOk;
  };
  r.parameter = [&](const TVerteilungsparameter& p) {
    spur.push_back("P" + std::to_string(p.ParZahl));
    return status::kOk;
  };
  r.klasse = [&](const TWerte& w) {
    if (w.Ergebnis) {
      spur.push_back("S");
      summeNP = w.NP;
      EXPECT_EQ(w.Idx, 10u);
      EXPECT_EQ(w.E, a->Daten().Statistik.summe);
    } else {
      summeZeilen += w.NP;
    }
    return status::kOk;
  };
  int weiter = 0;
  r.weiter = [&] {
    ++weiter;
    spur.push_back("W");
    return true;
  };
  ASSERT_EQ(a->GewaehlteAnpassung(Ref(k, 0), false, r), status::kOk);
  EXPECT_EQ(weiter, 6);  // after every method, the last included
  ASSERT_GE(spur.size(), 4u);
  EXPECT_EQ(spur[0], "R1");
  EXPECT_EQ(spur[1], "P2");
  EXPECT_EQ(spur[2], "S");
  EXPECT_EQ(spur[3], "W");
  EXPECT_EQ(spur[spur.size() - 3].substr(0, 4), "best");
  EXPECT_EQ(spur.back(), "S");
  EXPECT_TRUE(Near(summeNP, a->Daten().Statistik.summe, test::kTight));
}

TEST(GewaehlteAnpassung, StopsAndRefuses) {
  const Verteilungsverzeichnis k = Katalog();
  auto a = std::make_unique<Anpassungen>(k);
  Rueckrufe r;
  int berichte = 0;
  r.ergebnis = [&](const TAnpassung&) {
    ++berichte;
    return status::kOk;
  };
  EXPECT_EQ(a->GewaehlteAnpassung(Ref(k, 0), true, r), status::kNoData);
  ASSERT_EQ(Lesen(*a, BinomialDaten()), status::kOk);
  EXPECT_EQ(a->GewaehlteAnpassung(Ref(k, 205), true, r), status::kFitNotPossible);
  EXPECT_EQ(berichte, 0);
  TVerteilung fehlt{"missing", 7, true, false};
  EXPECT_EQ(a->GewaehlteAnpassung(fehlt, true, r), status::kDirectoryError);

  r.weiter = [] { return false; };
  EXPECT_EQ(a->GewaehlteAnpassung(Ref(k, 0), false, r), status::kAbort);

  Rueckrufe abbruch;
  abbruch.abbruch = [] { return true; };
  EXPECT_EQ(a->GewaehlteAnpassung(Ref(k, 0), true, abbruch), status::kAbort);

  ASSERT_EQ(Lesen(*a, "0 5\n1 3\n2 1\n"), status::kOk);
  EXPECT_EQ(a->GewaehlteAnpassung(Ref(k, 6), true, r), status::kNotEnoughClasses);
}

TEST(GewaehlteAnpassung, NoAlternativeIsNoFit) {
  const Verteilungsverzeichnis k = Katalog(0);
  auto a = std::make_unique<Anpassungen>(k);
  ASSERT_EQ(Lesen(*a, BinomialDaten()), status::kOk);
  EXPECT_EQ(a->GewaehlteAnpassung(Ref(k, 0), true, Rueckrufe{}), status::kNoFit);
}

TEST(AutomatischeAnpassung, ReportsEachAutomaticDistributionWithItsRunningNumber) {
  const Verteilungsverzeichnis k = Katalog();
  auto a = std::make_unique<Anpassungen>(k);
  ASSERT_EQ(Lesen(*a, BinomialDaten()), status::kOk);
  std::vector<TAnpassung> berichte;
  const Rueckrufe r = Sammler(berichte);
  EXPECT_EQ(a->AutomatischeAnpassung(r), status::kOk);
  ASSERT_EQ(berichte.size(), 3u);  // the special model is not automatic
  const std::uint32_t index[] = {0, 6, 16};
  for (std::uint32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(berichte[i].Verteilung.Index, index[i]);
    EXPECT_EQ(berichte[i].Methode, i + 1);
    EXPECT_EQ(berichte[i].Alternativen, 3u);
    EXPECT_FALSE(berichte[i].BesteMethode);
  }
  EXPECT_EQ(berichte[0].Status, 0u);
  EXPECT_LT(berichte[0].Chi, 100);
}

TEST(AutomatischeAnpassung, NoGoodFitWhenEveryXSquareIsLarge) {
  const Verteilungsverzeichnis k = Katalog();
  auto a = std::make_unique<Anpassungen>(k);
  // Strongly bimodal counts that none of the three can describe.
  ASSERT_EQ(Lesen(*a, "0 900\n1 5\n2 3\n3 2\n4 4\n5 8\n6 900\n7 700\n8 1\n"), status::kOk);
  std::vector<TAnpassung> berichte;
  const Rueckrufe r = Sammler(berichte);
  EXPECT_EQ(a->AutomatischeAnpassung(r), status::kNoGoodFit);
  EXPECT_EQ(berichte.size(), 3u);
}

TEST(SpezielleAnpassung, PreflightVisitsTheGridWithoutTheStopValue) {
  const Verteilungsverzeichnis k = Katalog();
  auto a = std::make_unique<Anpassungen>(k);
  ASSERT_EQ(Lesen(*a, "0 20\n1 35\n2 30\n3 18\n4 9\n5 4\n6 2\n7 1\n"), status::kOk);
  std::vector<std::pair<PreflightEreignis, std::uint32_t>> fortschritt;
  SpezialRueckrufe s;
  s.vorgaben = [](Spezialvorgaben& v, std::uint32_t parZahl) {
    EXPECT_EQ(parZahl, 5u);
    v[3] = {0, 0, 1, 0.25, false};
    v[4] = {0, 0.5, 1, 0.5, false};
    return status::kOk;
  };
  s.fortschritt = [&](PreflightEreignis art, std::uint32_t n) {
    fortschritt.emplace_back(art, n);
    return status::kOk;
  };
  std::vector<TAnpassung> berichte;
  const Rueckrufe r = Sammler(berichte);
  const Status st = a->SpezielleAnpassung(Ref(k, 205), r, s);
  ASSERT_EQ(fortschritt.size(), 6u);
  EXPECT_EQ(fortschritt.front(), std::make_pair(PreflightEreignis::kStart, 4u));
  EXPECT_EQ(fortschritt.back(), std::make_pair(PreflightEreignis::kEnde, 0u));
  if (st == status::kOk) {
    ASSERT_EQ(berichte.size(), 1u);
    EXPECT_TRUE(berichte[0].BesteMethode);
  }
  EXPECT_EQ(a->GewaehlteAnpassung(Ref(k, 0), true, r) == status::kOk, true);
  EXPECT_EQ(a->SpezielleAnpassung(Ref(k, 0), r, s), status::kFitNotPossible);
}

TEST(SpezielleAnpassung, FixedCoefficientsLeaveTheEstimatedList) {
  const Verteilungsverzeichnis k = Katalog();
  auto a = std::make_unique<Anpassungen>(k);
  ASSERT_EQ(Lesen(*a, "0 20\n1 35\n2 30\n3 18\n4 9\n5 4\n6 2\n7 1\n"), status::kOk);
  SpezialRueckrufe s;
  s.vorgaben = [](Spezialvorgaben& v, std::uint32_t) {
    v[1] = {0.5, 0, 0, 0, true};  // a1 fixed
    v[3] = {0, 1, 1, 1, false};   // no grid: start = stop
    v[4] = {0, 1, 1, 1, false};
    return status::kOk;
  };
  std::vector<std::string> namen;
  Rueckrufe r;
  r.parameter = [&](const TVerteilungsparameter& p) {
    for (std::uint32_t i = 0; i < p.ParZahl; ++i) namen.push_back(p.Parameter[i].Bezeichnung);
    EXPECT_EQ(p.Parameter[1].Wert, 0.5);  // the fixed value, found by name
    return status::kOk;
  };
  a->SpezielleAnpassung(Ref(k, 205), r, s);
  const TParameterEigenschaften& e = a->Eigenschaften();
  ASSERT_EQ(e.parZahl, 4u);
  EXPECT_EQ(e.parNamen[0], "a0");
  EXPECT_EQ(e.parNamen[1], "a2");
  EXPECT_EQ(e.parNamen[2], "b1");
  EXPECT_EQ(e.parNamen[3], "b2");
  ASSERT_EQ(e.festparZahl, 1u);
  EXPECT_EQ(e.festparNamen[0], "a1");
  if (!namen.empty()) {
    EXPECT_EQ(namen, (std::vector<std::string>{"a0", "a1", "a2", "b1", "b2"}));
  }
}

// Entries with the domain bits and fixed parameters of the shipped catalog, for the rules of
// evaluation and choice below.
std::unique_ptr<const TKatalogeintrag> EintragMitFest(std::uint32_t index, const char* name,
                                                      std::uint32_t alternativen,
                                                      std::vector<Par> parameter,
                                                      const char* fest) {
  auto e = std::make_unique<TKatalogeintrag>(*Eintrag(index, name, alternativen, parameter));
  e->festparameterZahl = 1;
  e->festparameter[0].bezeichnung = fest;
  return e;
}

Verteilungsverzeichnis RegelKatalog() {
  Verteilungstabelle t;
  t[0] = Eintrag(0, "Binomial", 6, {{"n", 16}, {"p", 1}});
  t[1] = EintragMitFest(1, "Binomial (fixed n)", 2, {{"p", 1}}, "n");
  t[4] = Eintrag(4, "Negative binomial", 3, {{"k", 128}, {"p", 1}});
  t[8] = Eintrag(8, "Geometric", 1, {{"p", 1}});
  t[9] = EintragMitFest(9, "Binomial (fixed p)", 3, {{"n", 16}}, "p");
  return Verteilungsverzeichnis(std::move(t));
}

std::string Klassen(const std::vector<double>& f) {
  std::string text;
  for (std::size_t x = 0; x < f.size(); ++x)
    text += std::to_string(x) + " " + std::to_string(f[x]) + "\n";
  return text;
}

FestparameterErfragen FesterWert(double wert) {
  return [wert](Festparameterfeld& fest, std::uint32_t) {
    fest[0].Wert = wert;
    return status::kOk;
  };
}

// The final evaluation of a given vector. The expected frequencies are binomial or geometric
// terms small enough to write out: Binomial(4, 1/2) times 160 is 10, 40, 60, 40, 10, times 16 it
// is 1, 4, 6, 4, 1, and Binomial(3, 1/2) times 8 is 1, 3, 3, 1; Geometric(1/2) times 64 on four
// classes (the last one "3 or more") is 32, 16, 8, 8. X² is summed by hand over the classes left
// after pooling; with DF = 2 the tail probability is exactly exp(-X²/2).
struct FgFall {
  const char* name;
  std::uint32_t index;
  std::vector<double> fest;  // the fixed parameter's value, when the distribution has one
  Parametervektor parameter;
  std::vector<double> f;
  double mindest;  // minimal class size, well away from the NP so rounding cannot decide
  Status status;
  std::uint32_t klassen;
  std::uint32_t fg;
  double chi;  // not checked when the evaluation fails
  double p;
};

TEST(AnpassungBewerten, DegreesOfFreedomCountEveryParameter) {
  const double chiA = 4.0 / 10 + 4.0 / 40 + 4.0 / 60 + 16.0 / 40 + 4.0 / 10;
  const double chiC = 4.0 / 32 + 4.0 / 16;
  const double chiD = 1.0 / 6 + 1.0 / 5;  // classes 1 (5 against 5), 2 (6 against 7), 3 (5, 4)
  const FgFall faelle[] = {
      // K = 5, one estimated and one fixed parameter: DF = 5 - 1 - 1 - 1 = 2.
      {"FixedParameterCountsLikeAnEstimatedOne",
       1,
       {4},
       {0.5},
       {12, 38, 58, 44, 8},
       1,
       status::kOk,
       5,
       2,
       chiA,
       std::exp(-chiA / 2)},
      // The same frequencies with both parameters estimated: DF = 5 - 2 - 1 = 2 again.
      {"TwoEstimatedParameters",
       0,
       {},
       {4, 0.5},
       {12, 38, 58, 44, 8},
       1,
       status::kOk,
       5,
       2,
       chiA,
       std::exp(-chiA / 2)},
      // K = 4 and no fixed parameter: DF = 4 - 1 - 1 = 2.
      {"NoFixedParameter",
       8,
       {},
       {0.5},
       {30, 18, 8, 8},
       1,
       status::kOk,
       4,
       2,
       chiC,
       std::exp(-chiC / 2)},
      // Both end classes (NP 1) pool, K = 3 and K' = 3 - 1 = 2 = parZahl + 1: the evaluation
      // succeeds with DF = 0 and P = 0. A method with DF 0 alone leaves the fit with "no fit".
      {"NoDegreeLeftGivesPZero",
       1,
       {4},
       {0.5},
       {2, 3, 7, 3, 1},
       1.5,
       status::kNoFit,
       3,
       0,
       chiD,
       0},
      // K = 2, K' = 1 < parZahl + 1: not enough degrees of freedom.
      {"TooFewClassesAfterPooling",
       1,
       {3},
       {0.5},
       {1, 3, 3, 1},
       1.5,
       status::kNotEnoughDf,
       2,
       0,
       -1,
       kZuWenigFreiheitsgrade},
  };
  const Verteilungsverzeichnis k = RegelKatalog();
  for (const FgFall& c : faelle) {
    SCOPED_TRACE(c.name);
    auto a = std::make_unique<Anpassungen>(k);
    ASSERT_EQ(Lesen(*a, Klassen(c.f)), status::kOk);
    TEinstellungen e;
    e.Mindestklassengroesse = c.mindest;
    a->EinstellungenUebernehmen(e);
    const FestparameterErfragen fest =
        c.fest.empty() ? FestparameterErfragen{} : FesterWert(c.fest[0]);
    EXPECT_EQ(a->Auswerten(Ref(k, c.index), c.parameter, fest), c.status);
    const Anpassungen::Kennzahlen& z = a->Aktuell();
    EXPECT_EQ(z.klassen, c.klassen);
    if (c.status == status::kNotEnoughDf) {
      EXPECT_EQ(z.p, c.p);
      continue;
    }
    EXPECT_EQ(z.fg, c.fg);
    EXPECT_TRUE(Near(z.chi, c.chi, test::kTight));
    EXPECT_TRUE(Near(z.c, c.chi / a->Daten().Statistik.summe, test::kTight));
    EXPECT_TRUE(Near(z.p, c.p, test::kTight));
  }
}

TEST(AnpassungBewerten, DeterminationAgainstTheUnpooledClasses) {
  // f = 12, 38, 58, 44, 8 around their mean 32: SST = 400 + 36 + 676 + 144 + 576 = 1832;
  // against NP = 10, 40, 60, 40, 10: SSE = 4 + 4 + 4 + 16 + 4 = 32.
  const Verteilungsverzeichnis k = RegelKatalog();
  auto a = std::make_unique<Anpassungen>(k);
  ASSERT_EQ(Lesen(*a, Klassen({12, 38, 58, 44, 8})), status::kOk);
  ASSERT_EQ(a->Auswerten(Ref(k, 1), {0.5}, FesterWert(4)), status::kOk);
  EXPECT_TRUE(Near(a->Aktuell().r2, 1 - 32.0 / 1832, test::kTight));
}

// The best method: the highest P; on equal P the smaller X²; on equal X² too the earlier method.
// Before the first method the best stands at P = 0 and X² = N, so a method with P = 0 counts only
// with X² below N. Each scenario is a fit whose methods differ in the way named; the figures of
// every method come from its own report, and the test checks that the scenario still has that
// shape before judging the choice.
enum class Form { kPUndChiUneinig, kGleichesP, kAllesGleich };

struct WahlFall {
  const char* name;
  std::uint32_t index;
  double fest;  // the fixed parameter's value, if the distribution has one
  std::vector<double> f;
  std::uint32_t schritte;  // simplex steps per method: few, so that the methods stay apart
  double mindest;
  Form form;
};

TEST(BestesMerken, ChoosesByPThenXSquareThenOrder) {
  const WahlFall faelle[] = {
      // Pooling at 3 leaves the methods with different DF, so the highest P is not the
      // smallest X².
      {"HighestPBeatsSmallerXSquare", 4, 0, {40, 30, 15, 8, 4, 2, 1}, 1, 3, Form::kPUndChiUneinig},
      // Geometric counts under a binomial with n = 9: every X² is far above 200, so every P is
      // 0, while X² stays below N = 15 984. The smaller X² wins, whichever method has it.
      {"EqualPSmallerXSquareFirst",
       1,
       9,
       {8000, 4000, 2000, 1000, 500, 250, 125, 62, 31, 16},
       2,
       3,
       Form::kGleichesP},
      {"EqualPSmallerXSquareLater",
       1,
       9,
       {8000, 4000, 2000, 1000, 500, 250, 125, 62, 31, 16},
       5,
       3,
       Form::kGleichesP},
      // The estimated n is a natural number: every method ends on the same n, with the same P
      // and X², and the first method stays the best.
      {"EqualPAndXSquareKeepsTheFirst",
       9,
       0.4,
       {3, 10, 25, 30, 20, 8, 3, 1},
       1,
       1,
       Form::kAllesGleich},
  };
  const Verteilungsverzeichnis k = RegelKatalog();
  for (const WahlFall& c : faelle) {
    SCOPED_TRACE(c.name);
    auto a = std::make_unique<Anpassungen>(k);
    ASSERT_EQ(Lesen(*a, Klassen(c.f)), status::kOk);
    TEinstellungen e;
    e.Optimierungsversuche = c.schritte;
    e.Mindestklassengroesse = c.mindest;
    a->EinstellungenUebernehmen(e);
    std::vector<TAnpassung> methoden;
    std::vector<TAnpassung> beste;
    Rueckrufe r;
    r.ergebnis = [&](const TAnpassung& x) {
      (x.BesteMethode ? beste : methoden).push_back(x);
      return status::kOk;
    };
    r.festparameter = FesterWert(c.fest);
    ASSERT_EQ(a->GewaehlteAnpassung(Ref(k, c.index), false, r), status::kOk);
    ASSERT_EQ(beste.size(), 1u);
    const double N = a->Daten().Statistik.summe;

    // The choice, written as a lexicographic maximum of (P, -X², -method) over the methods that
    // ended with a result and could beat the initial state.
    const TAnpassung* erwartet = nullptr;
    for (const TAnpassung& m : methoden) {
      if (m.Status != 0 || !(m.PChi > 0 || m.Chi < N)) continue;
      if (erwartet == nullptr || std::make_tuple(m.PChi, -m.Chi, -static_cast<double>(m.Methode)) >
                                     std::make_tuple(erwartet->PChi, -erwartet->Chi,
                                                     -static_cast<double>(erwartet->Methode)))
        erwartet = &m;
    }
    ASSERT_NE(erwartet, nullptr);

    // The shape of the scenario, so that it keeps telling the rules apart.
    ASSERT_GE(methoden.size(), 2u);
    const TAnpassung* kleinstesChi = &methoden[0];
    bool gleichesP = true, gleichesChi = true;
    for (const TAnpassung& m : methoden) {
      ASSERT_EQ(m.Status, 0u);
      if (m.Chi < kleinstesChi->Chi) kleinstesChi = &m;
      gleichesP = gleichesP && m.PChi == methoden[0].PChi;
      gleichesChi = gleichesChi && m.Chi == methoden[0].Chi;
    }
    switch (c.form) {
      case Form::kPUndChiUneinig:
        ASSERT_LT(kleinstesChi->PChi, erwartet->PChi);
        break;
      case Form::kGleichesP:
        ASSERT_TRUE(gleichesP);
        ASSERT_FALSE(gleichesChi);
        for (const TAnpassung& m : methoden) ASSERT_LT(m.Chi, N);
        break;
      case Form::kAllesGleich:
        ASSERT_TRUE(gleichesP);
        ASSERT_TRUE(gleichesChi);
        break;
    }

    EXPECT_EQ(beste[0].Methode, erwartet->Methode);
    EXPECT_EQ(a->BesteAlternative(), erwartet->Methode);
    EXPECT_EQ(beste[0].PChi, erwartet->PChi);
    EXPECT_EQ(beste[0].Chi, erwartet->Chi);
    EXPECT_EQ(beste[0].FG, erwartet->FG);
  }
}

struct TraegerCase {
  Traeger traeger;
  std::uint32_t x0;
  std::vector<double> f;
  bool passt;
};

TEST(TraegerPasst, AcceptsOnlyTheDataEachRuleAllows) {
  const TraegerCase faelle[] = {
      {Traeger::kEins, 1, {1, 2, 3}, true},
      {Traeger::kEins, 0, {1, 2, 3}, false},
      {Traeger::kEins, 2, {1, 2, 3}, false},
      {Traeger::kNichtNull, 2, {1, 2}, true},
      {Traeger::kNichtNull, 0, {1, 2}, false},
      {Traeger::kUeberEins, 1, {1, 2}, false},
      {Traeger::kUeberEins, 2, {1, 2}, true},
      {Traeger::kNull, 0, {1, 2}, true},
      {Traeger::kNull, 1, {1, 2}, false},
      {Traeger::kImmer, 7, {1, 2}, true},
      // The gap must lie inside: an empty class between non-empty ones, not at either end.
      {Traeger::kNullMitLuecke, 0, {5, 3, 0, 0, 2, 1}, true},
      {Traeger::kNullMitLuecke, 0, {5, 3, 2, 1, 0}, false},
      {Traeger::kNullMitLuecke, 0, {0, 3, 2, 1, 1}, false},
      {Traeger::kNullMitLuecke, 1, {5, 3, 0, 0, 2, 1}, false},
  };
  for (const TraegerCase& c : faelle) {
    KlassenWerte x{};
    KlassenHaeufigkeiten f{};
    for (std::size_t i = 0; i < c.f.size(); ++i) {
      x[i] = c.x0 + static_cast<std::uint32_t>(i);
      f[i] = c.f[i];
    }
    EXPECT_EQ(TraegerPasst(c.traeger, x, f, static_cast<std::uint32_t>(c.f.size() - 1)), c.passt)
        << "rule " << static_cast<int>(c.traeger) << " from x = " << c.x0;
  }
}

// The engine asks the member's record: the negative binomial takes any data, the positive
// Poisson only data from 1, and a handle without a member is left to the catalog check.
TEST(TraegerPruefen, FollowsTheMembersRecord) {
  KlassenWerte x{};
  KlassenHaeufigkeiten f{};
  for (std::uint32_t i = 0; i < 3; ++i) {
    x[i] = i;
    f[i] = 1;
  }
  EXPECT_TRUE(TraegerPruefen(MitgliedAufloesen(4), x, f, 2));
  EXPECT_FALSE(TraegerPruefen(MitgliedAufloesen(10), x, f, 2));
  EXPECT_TRUE(TraegerPruefen(MitgliedAufloesen(kVerteilungsSlots), x, f, 2));
}

// The truncated negative binomials and binomials (113 to 116) take the data's first value as
// their lower bound: data from 0 are the untruncated distribution (115 with bounds 0 and n is the
// plain binomial), not data they cannot describe. They were refused with status 14.
TEST(TraegerPruefen, TruncatedMembersTakeDataFromZero) {
  KlassenWerte x{};
  KlassenHaeufigkeiten f{};
  for (std::uint32_t i = 0; i < 11; ++i) {
    x[i] = i;
    f[i] = 1;
  }
  for (std::uint32_t nummer : {113u, 114u, 115u, 116u})
    EXPECT_TRUE(TraegerPruefen(MitgliedAufloesen(nummer), x, f, 10)) << "member " << nummer;
  // A rule that does refuse data from 0 still does.
  EXPECT_FALSE(TraegerPruefen(MitgliedAufloesen(163), x, f, 10));
}

// A fit resolves its member once, at its set-up: the support check, the estimates, every
// alternative's start and final evaluation and the special fitting's grid points (on every
// thread) go through that handle. The engine asked the registry for the same member again at
// each of those steps, more than once per method. The automatic fitting is one fit per automatic
// member of the catalog (0, 6 and 16 here).
TEST(Mitgliedsgriff, OneLookupPerFit) {
  const Verteilungsverzeichnis k = Katalog();
  TEinstellungen verfeinert;
  verfeinert.Verfeinerung = true;
  SpezialRueckrufe spezial;
  spezial.vorgaben = [](Spezialvorgaben& v, std::uint32_t) {
    v[3] = {0, -1, 1, 0.5, false};
    v[4] = {0, -1, 1, 0.5, false};
    return status::kOk;
  };
  struct Fall {
    const char* name;
    const char* daten;
    std::function<Status(Anpassungen&)> fit;
    std::uint64_t erwartet;
  };
  const std::string binomial = BinomialDaten();
  const Fall faelle[] = {
      {"chosen, every method", binomial.c_str(),
       [&](Anpassungen& a) { return a.GewaehlteAnpassung(Ref(k, 0), false, {}); }, 1},
      {"chosen, best only", binomial.c_str(),
       [&](Anpassungen& a) { return a.GewaehlteAnpassung(Ref(k, 16), true, {}); }, 1},
      {"chosen, refined", binomial.c_str(),
       [&](Anpassungen& a) {
         a.EinstellungenUebernehmen(verfeinert);
         return a.GewaehlteAnpassung(Ref(k, 6), false, {});
       },
       1},
      {"given parameters", binomial.c_str(),
       [&](Anpassungen& a) {
         return a.Auswerten(Ref(k, 0), {10, 0.3}, {});
       },
       1},
      {"automatic", binomial.c_str(), [&](Anpassungen& a) { return a.AutomatischeAnpassung({}); },
       3},
      {"special, one thread", binomial.c_str(),
       [&](Anpassungen& a) {
         a.ThreadsSetzen(1);
         return a.SpezielleAnpassung(Ref(k, 205), {}, spezial);
       },
       1},
      {"special, three threads", binomial.c_str(),
       [&](Anpassungen& a) {
         a.ThreadsSetzen(3);
         return a.SpezielleAnpassung(Ref(k, 205), {}, spezial);
       },
       1},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    auto a = std::make_unique<Anpassungen>(k);
    ASSERT_EQ(Lesen(*a, f.daten), status::kOk);
    const std::uint64_t vorher = Nachschlagungen();
    f.fit(*a);
    EXPECT_EQ(Nachschlagungen() - vorher, f.erwartet);
  }
}

}  // namespace
}  // namespace vk
