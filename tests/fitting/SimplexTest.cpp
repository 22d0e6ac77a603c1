// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Simplex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

// A known function in place of X², recording every vector it is asked about.
class Funktion final : public Zielfunktion {
 public:
  explicit Funktion(std::function<double(const Parametervektor&)> f) : f_(std::move(f)) {}
  void Korrigieren(Parametervektor& v) const override {
    if (korrektur) korrektur(v);
  }
  double ChiQuadrat(const Parametervektor& v, std::uint32_t& klassen) override {
    gesehen.push_back(v);
    klassen = static_cast<std::uint32_t>(gesehen.size());
    return f_(v);
  }
  std::vector<Parametervektor> gesehen;
  std::function<void(Parametervektor&)> korrektur;

 private:
  std::function<double(const Parametervektor&)> f_;
};

struct Zaehler {
  int aufrufe = 0;
  int abbrechenBei = -1;
  static bool Abfrage(void* self) {
    auto* z = static_cast<Zaehler*>(self);
    ++z->aufrufe;
    return z->aufrufe == z->abbrechenBei;
  }
  Abbruchabfrage Abfrage() { return {&Zaehler::Abfrage, this}; }
};

TEST(Simplex, StartSimplexScalesTheWholeStartVector) {
  Funktion f([](const Parametervektor& v) { return v[0] + v[1]; });
  TEinstellungen e;
  e.Optimierungsversuche = 1;
  Simplex s;
  s.ecke[0] = {10, 0.5};
  Zaehler z;
  Status st = 0;
  Optimierungszyklus(s, 2, f, e, z.Abfrage(), st);
  ASSERT_GE(f.gesehen.size(), 3u);
  EXPECT_TRUE(Near(f.gesehen[1][0], 11, test::kUlps));
  EXPECT_TRUE(Near(f.gesehen[1][1], 0.55, test::kUlps));
  EXPECT_TRUE(Near(f.gesehen[2][0], 8.5, test::kUlps));
  EXPECT_TRUE(Near(f.gesehen[2][1], 0.425, test::kUlps));

  Funktion g([](const Parametervektor& v) { return v[0]; });
  Simplex t;
  t.ecke[0] = {2};
  Optimierungszyklus(t, 1, g, e, z.Abfrage(), st);
  EXPECT_TRUE(Near(g.gesehen[1][0], 2.2, test::kUlps));
}

// An asymmetric function: on a symmetric one two vertices either side of the minimum can have
// equal values, a spread of 0, and the cycle rightly stops there.
TEST(Simplex, MinimisesAOneDimensionalFunction) {
  Funktion f([](const Parametervektor& v) { return std::exp(v[0]) - 3 * v[0] + 5; });
  TEinstellungen e;
  e.Abbruchkriterium = 1e-7;  // far above the rounding floor of the spread
  e.Optimierungsversuche = 5000;
  Simplex s;
  s.ecke[0] = {2.5};
  Zaehler z;
  Status st = 0;
  EXPECT_TRUE(Optimierungszyklus(s, 1, f, e, z.Abfrage(), st));
  SimplexSortieren(s, 1, f);
  EXPECT_TRUE(test::NearAbs(s.ecke[0][0], std::log(3.0), test::kSearched));
  EXPECT_EQ(st, status::kOk);
}

// The start simplex scales the whole start vector, so all its vertices lie on the ray through
// the start vector; reflections, contractions and shrinks keep them there while no absolute
// value or correction intervenes. On a quadratic the cycle therefore finds the minimum along
// that ray: for (x-3)² + 2(y-5)² from (1, 1) that is x = y = 13/3, not (3, 5).
TEST(Simplex, SearchesAlongTheRayOfTheStartVector) {
  Funktion f([](const Parametervektor& v) {
    return (v[0] - 3) * (v[0] - 3) + 2 * (v[1] - 5) * (v[1] - 5) + 1;
  });
  TEinstellungen e;
  e.Abbruchkriterium = 1e-7;  // far above the rounding floor of the spread
  e.Optimierungsversuche = 5000;
  Simplex s;
  s.ecke[0] = {1, 1};
  Zaehler z;
  Status st = 0;
  Optimierungszyklus(s, 2, f, e, z.Abfrage(), st);
  SimplexSortieren(s, 2, f);
  EXPECT_TRUE(test::NearAbs(s.ecke[0][0], 13.0 / 3, test::kSearched));
  EXPECT_TRUE(test::NearAbs(s.ecke[0][1], 13.0 / 3, test::kSearched));
  for (const auto& v : f.gesehen)
    EXPECT_TRUE(Near(v[0], v[1], test::kTight)) << v[0] << " " << v[1];
}

TEST(Simplex, EveryNewCoordinateIsMadePositive) {
  // The minimum lies at negative x; the absolute values keep every vertex at x >= 0.
  Funktion f([](const Parametervektor& v) { return (v[0] + 4) * (v[0] + 4) + 1; });
  TEinstellungen e;
  Simplex s;
  s.ecke[0] = {1};
  Zaehler z;
  Status st = 0;
  Optimierungszyklus(s, 1, f, e, z.Abfrage(), st);
  for (const auto& v : f.gesehen) EXPECT_GE(v[0], 0);
}

TEST(Simplex, StepLimitAndCancel) {
  Funktion f([](const Parametervektor& v) { return v[0] * v[0] + v[1] * v[1] + 1; });
  Simplex s;
  s.ecke[0] = {3, 4};
  TEinstellungen e;
  e.Optimierungsversuche = 1;
  Zaehler einmal;
  Status st = 0;
  EXPECT_TRUE(Optimierungszyklus(s, 2, f, e, einmal.Abfrage(), st));
  EXPECT_EQ(einmal.aufrufe, 1);

  e.Optimierungsversuche = 320;
  Zaehler abbruch;
  abbruch.abbrechenBei = 3;
  s.ecke[0] = {3, 4};
  EXPECT_FALSE(Optimierungszyklus(s, 2, f, e, abbruch.Abfrage(), st));
  EXPECT_EQ(st, status::kAbort);
  EXPECT_EQ(abbruch.aufrufe, 3);
}

TEST(Simplex, AllFailedVerticesEndAfterOneStep) {
  Funktion f([](const Parametervektor&) { return 10000000.0; });
  Simplex s;
  s.ecke[0] = {3, 4};
  TEinstellungen e;
  Zaehler z;
  Status st = 0;
  Optimierungszyklus(s, 2, f, e, z.Abfrage(), st);
  EXPECT_EQ(z.aufrufe, 1);
}

TEST(Simplex, FiveEqualSpreadsEndTheCycle) {
  // A constant function gives spread 0 at every step; with a negative stop criterion only the
  // count of equal spreads can end the cycle.
  Funktion f([](const Parametervektor&) { return 7.0; });
  Simplex s;
  s.ecke[0] = {3, 4};
  TEinstellungen e;
  e.Abbruchkriterium = -1;
  Zaehler z;
  Status st = 0;
  EXPECT_TRUE(Optimierungszyklus(s, 2, f, e, z.Abfrage(), st));
  EXPECT_EQ(z.aufrufe, 5);
}

TEST(Simplex, SortIsStableForEqualValuesAndCarriesCounts) {
  Funktion f([](const Parametervektor&) { return 0.0; });
  Simplex s;
  s.ecke[0] = {1};
  s.ecke[1] = {2};
  s.ecke[2] = {3};
  s.chiQuadrat = {5, 1, 5};
  s.klassen = {10, 20, 30};
  SimplexSortieren(s, 2, f);
  EXPECT_EQ(s.ecke[0][0], 2);
  EXPECT_EQ(s.klassen[0], 20u);
  EXPECT_EQ(s.chiQuadrat[1], 5);
  // Vertex 1 (value 5) came first and stays ahead of the other 5.
  EXPECT_EQ(s.ecke[1][0], 1);
  EXPECT_EQ(s.ecke[2][0], 3);
  EXPECT_EQ(s.klassen[2], 30u);
}

TEST(Simplex, CorrectionAppliesToEveryEvaluatedVertex) {
  Funktion f([](const Parametervektor& v) { return (v[0] - 0.5) * (v[0] - 0.5) + 1; });
  f.korrektur = [](Parametervektor& v) {
    if (v[0] >= 1) v[0] = 0.98;
  };
  Simplex s;
  s.ecke[0] = {0.95};
  TEinstellungen e;
  Zaehler z;
  Status st = 0;
  Optimierungszyklus(s, 1, f, e, z.Abfrage(), st);
  for (const auto& v : f.gesehen) EXPECT_LT(v[0], 1);
}

// X² values handed out by call order instead of by position: they steer a step into the
// branch under test, and the coordinates then follow from the step's arithmetic alone.
class Drehbuch final : public Zielfunktion {
 public:
  explicit Drehbuch(std::vector<double> werte) : werte_(std::move(werte)) {}
  void Korrigieren(Parametervektor&) const override {}
  double ChiQuadrat(const Parametervektor& v, std::uint32_t& klassen) override {
    gesehen.push_back(v);
    klassen = 0;
    // Past the script every vertex is worse than anything scripted; the call count shows it.
    return gesehen.size() <= werte_.size() ? werte_[gesehen.size() - 1] : 1e9;
  }
  std::vector<Parametervektor> gesehen;

 private:
  std::vector<double> werte_;
};

struct Vektor2 {
  double x, y;
};

struct SchrittFall {
  const char* name;
  double gamma;                  // expansion factor; the others keep their defaults
  std::vector<double> werte;     // X² of the start vertices, then of each new point in turn
  std::vector<Vektor2> gesehen;  // every evaluated point, in order
  std::array<Vektor2, 3> ecken;  // the simplex after the step (sorted before it)
  std::array<double, 3> chi;
};

// One step of a two-parameter simplex from the start vector (2, -4). The start simplex is
// (2, -4), |1.10 (2, -4)| = (2.2, 4.4) and |0.85 (2, -4)| = (1.7, 3.4).
//
// With X² 1, 9, 2 the worst vertex is (2.2, 4.4) and the centroid of the other two is
// c = ((2 + 1.7)/2, (-4 + 3.4)/2) = (1.85, -0.3); the reflection 2c - worst = (1.5, -5.0) becomes
// (1.5, 5.0).
//
// With X² 9, 1, 2 the worst vertex is the start (2, -4) and c = ((2.2 + 1.7)/2, (4.4 + 3.4)/2)
// = (1.95, 3.9); the reflection is 2c - worst = (1.9, 11.8).
//
// The figures below are that arithmetic done by hand for each branch.
class SimplexSchritt : public ::testing::TestWithParam<SchrittFall> {};

TEST_P(SimplexSchritt, MovesTheWorstVertexByTheBranchRules) {
  const SchrittFall& c = GetParam();
  Drehbuch f(c.werte);
  TEinstellungen e;
  e.Expansionsweite = c.gamma;
  e.Optimierungsversuche = 1;
  Simplex s;
  s.ecke[0] = {2, -4};
  Zaehler z;
  Status st = 0;
  Optimierungszyklus(s, 2, f, e, z.Abfrage(), st);

  ASSERT_EQ(f.gesehen.size(), c.gesehen.size());
  for (std::size_t i = 0; i < c.gesehen.size(); ++i) {
    EXPECT_TRUE(Near(f.gesehen[i][0], c.gesehen[i].x, test::kTight)) << "point " << i;
    EXPECT_TRUE(Near(f.gesehen[i][1], c.gesehen[i].y, test::kTight)) << "point " << i;
  }
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_TRUE(Near(s.ecke[k][0], c.ecken[k].x, test::kTight)) << "vertex " << k;
    EXPECT_TRUE(Near(s.ecke[k][1], c.ecken[k].y, test::kTight)) << "vertex " << k;
    EXPECT_EQ(s.chiQuadrat[k], c.chi[k]) << "vertex " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Simplex, SimplexSchritt,
    ::testing::Values(
        // Between the best and the second worst: the reflection, made positive, replaces the
        // worst vertex. The start simplex itself is made positive: -4 scales to 4.4 and 3.4.
        SchrittFall{"ReflectionIsMadePositive",
                    2,
                    {1, 9, 2, 1.5},
                    {{2, -4}, {2.2, 4.4}, {1.7, 3.4}, {1.5, 5}},
                    {{{2, -4}, {1.7, 3.4}, {1.5, 5}}},
                    {1, 2, 1.5}},
        // Better than the best, and a wide expansion (gamma 6): 6 (1.5, 5) - 5 (1.85, -0.3)
        // = (-0.25, 31.5) becomes (0.25, 31.5). It starts from the positive reflection.
        SchrittFall{"ExpansionIsMadePositive",
                    6,
                    {1, 9, 2, 0.5, 0.4},
                    {{2, -4}, {2.2, 4.4}, {1.7, 3.4}, {1.5, 5}, {0.25, 31.5}},
                    {{{2, -4}, {1.7, 3.4}, {0.25, 31.5}}},
                    {1, 2, 0.4}},
        // The expansion 2 (1.5, 5) - (1.85, -0.3) = (1.15, 10.3) is worse than the reflection
        // (0.8 against 0.5) but better than the best vertex (1), and that is all that is asked.
        SchrittFall{"ExpansionIsJudgedAgainstTheBestVertex",
                    2,
                    {1, 9, 2, 0.5, 0.8},
                    {{2, -4}, {2.2, 4.4}, {1.7, 3.4}, {1.5, 5}, {1.15, 10.3}},
                    {{{2, -4}, {1.7, 3.4}, {1.15, 10.3}}},
                    {1, 2, 0.8}},
        // An expansion only equal to the best vertex is not taken: the reflection is.
        SchrittFall{"ExpansionEqualToTheBestKeepsTheReflection",
                    2,
                    {1, 9, 2, 0.5, 1},
                    {{2, -4}, {2.2, 4.4}, {1.7, 3.4}, {1.5, 5}, {1.15, 10.3}},
                    {{{2, -4}, {1.7, 3.4}, {1.5, 5}}},
                    {1, 2, 0.5}},
        // Reflection worse than the worst: the worst vertex (2, -4) is contracted towards c,
        // (2 + 1.95)/2 = 1.975 and (-4 + 3.9)/2 = -0.05, made positive.
        SchrittFall{"ContractionIsMadePositive",
                    2,
                    {9, 1, 2, 10, 5},
                    {{2, -4}, {2.2, 4.4}, {1.7, 3.4}, {1.9, 11.8}, {1.975, 0.05}},
                    {{{2.2, 4.4}, {1.7, 3.4}, {1.975, 0.05}}},
                    {1, 2, 5}},
        // Reflection equal to the worst: it replaces the worst vertex first, and the
        // contraction starts from it: ((1.9 + 1.95)/2, (11.8 + 3.9)/2) = (1.925, 7.85).
        SchrittFall{"ContractionOfTheReflectedPointWhenNoWorse",
                    2,
                    {9, 1, 2, 9, 3},
                    {{2, -4}, {2.2, 4.4}, {1.7, 3.4}, {1.9, 11.8}, {1.925, 7.85}},
                    {{{2.2, 4.4}, {1.7, 3.4}, {1.925, 7.85}}},
                    {1, 2, 3}},
        // Reflection and contraction ((2.2 + 1.85)/2, (4.4 - 0.3)/2) = (2.025, 2.05) both fail:
        // every other vertex moves halfway to the best (2, -4), with no absolute value, so
        // (1.7, 3.4) becomes (1.85, -0.3) and (2.2, 4.4) becomes (2.1, 0.2).
        SchrittFall{
            "ShrinkKeepsItsSigns",
            2,
            {1, 9, 2, 10, 9.5, 7, 8},
            {{2, -4}, {2.2, 4.4}, {1.7, 3.4}, {1.5, 5}, {2.025, 2.05}, {1.85, -0.3}, {2.1, 0.2}},
            {{{2, -4}, {1.85, -0.3}, {2.1, 0.2}}},
            {1, 7, 8}}),
    [](const auto& tp) { return std::string(tp.param.name); });

// The refinement tells a search cut short by its cycles from one that ended by its own criterion,
// and a pattern move that overflows ends the moves, not the search, and leaves no flag behind.
TEST(Simplex, RefinementReportsUsedUpCyclesAndSurvivesAnOverflowingPatternMove) {
  double zaehler = 0;
  struct Fall {
    const char* name;
    std::function<double(const Parametervektor&)> f;
    bool erschoepft;
  };
  const std::vector<Fall> faelle = {
      // A bowl: the restarts stop gaining, the widest step gains nothing, the search ends.
      {"bowl", [](const Parametervektor& v) { return (v[0] - 3) * (v[0] - 3) + 1; }, false},
      // Every evaluation lower than the last, inside a domain that clamps x to [0.001, 10]:
      // every restart gains, the pattern moves double their length on the log scale until the
      // step overflows, and the cycles run out.
      {"ever lower", [&zaehler](const Parametervektor&) { return 1e6 - ++zaehler; }, true},
  };
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.name);
    Funktion f(c.f);
    f.korrektur = [](Parametervektor& v) { v[0] = std::min(std::max(v[0], 0.001), 10.0); };
    Simplex s{};
    s.ecke[0] = {1.0};
    Status st = status::kOk;
    bool erschoepft = !c.erschoepft;
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_TRUE(Verfeinern(s, 1, f, TEinstellungen{}, Abbruchabfrage{}, st, &erschoepft));
    EXPECT_EQ(st, status::kOk);
    EXPECT_EQ(erschoepft, c.erschoepft);
    EXPECT_EQ(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO), 0);
  }
}

// A vertex far off may have an X² whose square leaves the double range. The cycle goes on to the
// minimum and raises no flag: a NaN spread would end the cycle at its first step and count as a
// fault of the fit. The minimum lies on the start's ray, which the classic start simplex never
// leaves.
TEST(Simplex, CycleThroughVerticesWithHugeChiSquareReachesTheMinimumWithoutAFault) {
  const std::pair<const char*, Simplexform> formen[] = {{"classic", Simplexform::kKlassisch},
                                                        {"axis-wise", Simplexform::kAchsenweise}};
  for (const auto& [name, form] : formen) {
    SCOPED_TRACE(name);
    Funktion f([](const Parametervektor& v) {
      const double d = (v[0] - 4) * (v[0] - 4) + (v[1] - 3) * (v[1] - 3);
      return d < 100 ? d + 1 : 1e200 * d;
    });
    Simplex s{};
    s.ecke[0] = {40.0, 30.0};
    Status st = status::kOk;
    TEinstellungen e;
    e.Optimierungsversuche = 5000;
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_TRUE(Optimierungszyklus(s, 2, f, e, Abbruchabfrage{}, st, form));
    EXPECT_EQ(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO), 0);
    SimplexSortieren(s, 2, f);
    EXPECT_NEAR(s.ecke[0][0], 4, 0.05);
    EXPECT_NEAR(s.ecke[0][1], 3, 0.05);
  }
}

}  // namespace
}  // namespace vk
