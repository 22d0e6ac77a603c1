// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Anpassungsguete.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "distributions/helpers/Schemata.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

struct PoolCase {
  const char* name;
  std::vector<double> np;
  std::vector<double> f;
  double mindest;
  double chi;  // written out from the pooled classes by hand
  std::uint32_t klassen;
  std::vector<int> ziele;  // the class each one was pooled into, -1 for none
};

class Pooling : public ::testing::TestWithParam<PoolCase> {};

TEST_P(Pooling, PoolsTowardsTheModeAndSums) {
  PoolCase c = GetParam();
  std::uint32_t k = 0;
  const double chi = GepooltesChiQuadrat(c.np, c.f, c.mindest, k);
  EXPECT_TRUE(Near(chi, c.chi, test::kTight));
  EXPECT_EQ(k, c.klassen);
}

// The evaluation's single pass (check, mode, copy) changes nothing of the sum.
TEST_P(Pooling, TheEvaluationsPassSumsTheSameBitForBit) {
  const PoolCase& c = GetParam();
  std::vector<double> np = c.np, f = c.f, npEin = c.np, fArbeit(c.f.size(), 0);
  std::uint32_t k = 0, kEin = 0;
  double N = 0;
  for (double v : c.np) N += v;
  const double chi = GepooltesChiQuadrat(np, f, c.mindest, k);
  EXPECT_EQ(AuswertungsChiQuadrat(npEin, c.f, fArbeit, N, kNegativProN, c.mindest, kEin), chi);
  EXPECT_EQ(kEin, k);
  EXPECT_EQ(npEin, np);

  npEin = c.np;
  npEin.front() += npEin.back() + 1e-6;  // the same sum, one class below 0 beyond rounding
  npEin.back() = -1e-6;
  EXPECT_EQ(AuswertungsChiQuadrat(npEin, c.f, fArbeit, N, kNegativProN, c.mindest, kEin), -1);
}

struct TabellenFall {
  const char* name;
  std::vector<double> np;
  double N;
  double negativProN;
  Verwerfung grund;
  std::uint32_t klasse;
};

// What makes a table of expected frequencies no distribution, and what is rounding.
class Verteilungstabelle : public ::testing::TestWithParam<TabellenFall> {};

TEST_P(Verteilungstabelle, IsJudgedAlikeByTheCheckAndTheEvaluation) {
  const TabellenFall& c = GetParam();
  const Verteilungspruefung p = VerteilungPruefen(c.np, c.N, c.negativProN);
  EXPECT_EQ(p.grund, c.grund);
  if (c.grund == Verwerfung::kNegativ) {
    EXPECT_EQ(p.klasse, c.klasse);
  }
  std::vector<double> np = c.np, fArbeit(c.np.size(), 0);
  const std::vector<double> f(c.np.size(), c.N / static_cast<double>(c.np.size()));
  std::uint32_t k = 0;
  const double chi = AuswertungsChiQuadrat(np, f, fArbeit, c.N, c.negativProN, 1, k);
  EXPECT_EQ(chi < 0, c.grund != Verwerfung::kKeine) << chi;
}

INSTANTIATE_TEST_SUITE_P(
    Anpassungsguete, Verteilungstabelle,
    ::testing::Values(
        TabellenFall{"SumsToN", {10, 20, 9}, 39, kNegativProN, Verwerfung::kKeine, 0},
        // A last class of |N - sum| after classes that already hold more than N: 39 + 2 * 3.5.
        TabellenFall{
            "TailOnTopOfTooMuch", {10, 20, 12.5, 3.5}, 39, kNegativProN, Verwerfung::kSumme, 0},
        TabellenFall{"TooLittleWithoutTail", {10, 20, 8}, 39, kNegativProN, Verwerfung::kSumme, 0},
        // The rounding of a sum of doubles is far inside 1e-9 N; 1e-6 N is not.
        TabellenFall{
            "RoundingOfTheSum", {10, 20, 9 + 39e-12}, 39, kNegativProN, Verwerfung::kKeine, 0},
        TabellenFall{
            "OffByAMillionth", {10, 20, 9 + 39e-6}, 39, kNegativProN, Verwerfung::kSumme, 0},
        TabellenFall{
            "NegativeBeyondRounding", {10, 29.1, -0.1}, 39, kNegativProN, Verwerfung::kNegativ, 2},
        TabellenFall{
            "NegativeWithinRounding", {10, 29, -1e-12}, 39, kNegativProN, Verwerfung::kKeine, 0},
        // The special model allows a thousandth of that.
        TabellenFall{"NegativeForTheSpecialModel",
                     {10, 29 + 1e-10, -1e-10},
                     39,
                     1e-12,
                     Verwerfung::kNegativ,
                     2},
        TabellenFall{"NotANumber", {10, std::nan(""), 9}, 39, kNegativProN, Verwerfung::kSumme, 0}),
    [](const auto& tp) { return std::string(tp.param.name); });

// The targets name the cells the X² was summed over: every pooled class is marked -1 by the
// pooling, and each cell's NP is its own plus that of the classes naming it.
TEST_P(Pooling, TargetsNameTheCellsOfTheSum) {
  const PoolCase& c = GetParam();
  std::vector<std::uint32_t> ziel(c.np.size(), 0);
  PoolungsZiele(c.np, c.mindest, ziel);
  std::vector<int> gelesen;
  for (std::uint32_t z : ziel) gelesen.push_back(z == kNichtGepoolt ? -1 : static_cast<int>(z));
  EXPECT_EQ(gelesen, c.ziele);

  std::vector<double> np = c.np, f = c.f;
  std::uint32_t k = 0;
  GepooltesChiQuadrat(np, f, c.mindest, k);
  std::vector<double> zelle = c.np;
  for (std::size_t i = 0; i < ziel.size(); ++i) {
    if (ziel[i] == kNichtGepoolt) continue;
    EXPECT_EQ(np[i], -1) << i;
    EXPECT_EQ(ziel[ziel[i]], kNichtGepoolt) << "a chain ends in a cell of its own, " << i;
    zelle[ziel[i]] += c.np[i];
  }
  for (std::size_t i = 0; i < ziel.size(); ++i) {
    if (ziel[i] != kNichtGepoolt) continue;
    EXPECT_TRUE(Near(np[i], zelle[i], test::kTight)) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Anpassungsguete, Pooling,
    ::testing::Values(
        // Mode at 2; 0.2 joins 0.3, the 0.5 joins 4 (4.5); 0.5 joins 3 (3.5).
        PoolCase{"BothTails",
                 {0.5, 3, 10, 4, 0.3, 0.2},
                 {1, 2, 11, 5, 1, 0},
                 1,
                 (3.5 - 3) * (3.5 - 3) / 3.5 + 1.0 / 10 + (4.5 - 6) * (4.5 - 6) / 4.5,
                 3,
                 {1, -1, -1, -1, 3, 3}},
        // Equal largest NP: the first (class 1) is the mode, so class 2 joins it from the right;
        // with class 3 as the mode it would have joined class 3.
        PoolCase{"FirstOfEqualModes",
                 {0.5, 3, 0.5, 3, 0.5},
                 {1, 2, 1, 4, 0},
                 1,
                 0 + (3.5 - 4) * (3.5 - 4) / 3.5,
                 2,
                 {1, -1, 1, -1, 3}},
        // Zero NP is pooled even with a minimal class size of 0; small positive NP is not.
        PoolCase{"MinimalSizeZero",
                 {0.2, 6, 0},
                 {1, 5, 0},
                 0,
                 0.8 * 0.8 / 0.2 + 1.0 / 6,
                 2,
                 {-1, -1, 1}},
        PoolCase{"PerfectFitIsFloored", {2, 5, 3}, {2, 5, 3}, 1, 0.0001, 3, {-1, -1, -1}},
        // A pooled amount travels inward through several small classes to the mode.
        PoolCase{"CascadeToMode",
                 {9, 0.4, 0.3, 0.2},
                 {8, 1, 0, 1},
                 1,
                 0.1 * 0.1 / 9.9,
                 1,
                 {-1, 0, 0, 0}},
        // NP exactly at the minimal class size is "not above" it: both ends join the mode
        // (NP 1 + 4 + 1 = 6 against f 2 + 3 + 1 = 6), leaving one class and a perfect fit.
        PoolCase{"ClassAtTheMinimumIsPooled", {1, 4, 1}, {2, 3, 1}, 1, 0.0001, 1, {1, -1, 1}},
        // 0.5 joins 0.5 and makes exactly the minimum, 1.0, which must travel on to the mode:
        // NP 6 against f 3 + 2 + 1 = 6.
        PoolCase{
            "PooledSumAtTheMinimumTravelsOn", {5, 0.5, 0.5}, {3, 2, 1}, 1, 0.0001, 1, {-1, 0, 0}},
        // With a minimal class size of 0 an empty class is still pooled: its observed count
        // moves to the mode (f 6 + 2 = 8 against NP 6, X² = 4/6) instead of being dropped.
        PoolCase{"EmptyClassCarriesItsCountAtMinimumZero", {6, 0}, {6, 2}, 0, 4.0 / 6, 1, {-1, 0}},
        // Every NP 0 (a distribution that put no mass on the data): everything pools into the
        // mode, class 0, whose NP of 0 does not count; X² is the floor and no class is left.
        PoolCase{"AllExpectedZeroLeavesNoClass", {0, 0, 0}, {1, 2, 3}, 1, 0.0001, 0, {-1, 0, 0}},
        // Below a negative minimum nothing is pooled, and the empty class 0 still stays out of
        // X² and K: (5 - 6)²/5 + (3 - 2)²/3 over two classes.
        PoolCase{"NegativeMinimumKeepsEmptyClassOut",
                 {0, 5, 3},
                 {0, 6, 2},
                 -1,
                 1.0 / 5 + 1.0 / 3,
                 2,
                 {-1, -1, -1}}),
    [](const auto& tp) { return std::string(tp.param.name); });

// The last class stands for "L or more" and takes what the classes below it leave of N. When
// those hold more than N (a series whose terms change sign, or rounding), the common rule keeps
// the last class positive, |N - sum|, and the rows marked without absolute value keep the
// negative remainder; a truncated member has computed its last class already.
struct RestFall {
  const char* name;
  std::vector<double> unterL;  // NP[0..L-1]
  double N;
  Restregel regel;
  double letzte;  // NP[L] afterwards; the class starts at -7 so "untouched" is visible
};

TEST(Restklasse, TakesTheRemainderByTheMembersRule) {
  const RestFall faelle[] = {
      {"BelowNWithAbsoluteValue", {60, 30}, 100, Restregel::kBetrag, 10},
      {"BelowNWithoutAbsoluteValue", {60, 30}, 100, Restregel::kOhneBetrag, 10},
      {"AboveNWithAbsoluteValue", {70, 40}, 100, Restregel::kBetrag, 10},
      {"AboveNWithoutAbsoluteValue", {70, 40}, 100, Restregel::kOhneBetrag, -10},
      {"TruncatedLeavesTheLastClass", {70, 40}, 100, Restregel::kKeine, -7},
  };
  auto np = std::make_unique<Erwartungswerte>();
  for (const RestFall& c : faelle) {
    const auto L = static_cast<std::uint32_t>(c.unterL.size());
    Summe summe = 0;
    for (std::uint32_t i = 0; i < L; ++i) {
      (*np)[i] = c.unterL[i];
      summe += c.unterL[i];
    }
    (*np)[L] = -7;
    RestklasseSetzen(*np, L, c.N, summe, c.regel);
    EXPECT_EQ((*np)[L], c.letzte) << c.name;
  }
}

TEST(Bestimmtheitsmass, AgainstSumsOfSquares) {
  const std::vector<double> f = {10, 20, 30, 40};
  const std::vector<double> np = {12, 18, 33, 37};
  // mean f = 25; SST = 225+25+25+225 = 500; SSE = 4+4+9+9 = 26
  EXPECT_TRUE(Near(BestimmtheitsmassBerechnen(100, f, np), 1 - 26.0 / 500, test::kTight));
}

// Exact upper tails for integer degrees of freedom, written independently: the Poisson sum for
// even df, and 2Q(sqrt x) plus the odd-df series with the exact sqrt(2/pi).
double ExactTail(std::uint32_t df, double x) {
  long double p = 0;
  if (df % 2 == 0) {
    long double term = 1;
    for (std::uint32_t k = 0; k < df / 2; ++k) {
      p += term;
      term *= static_cast<long double>(x) / 2 / (k + 1);
    }
    return static_cast<double>(p * std::exp(-static_cast<long double>(x) / 2));
  }
  const long double q = std::erfc(std::sqrt(static_cast<long double>(x)) / std::sqrt(2.0L));
  long double term = std::sqrt(static_cast<long double>(x));
  long double sum = 0;
  for (std::uint32_t k = 1; k <= (df - 1) / 2; ++k) {
    sum += term;
    term *= static_cast<long double>(x) / (2 * k + 1);
  }
  return static_cast<double>(q + std::sqrt(2 / 3.14159265358979323846L) *
                                     std::exp(-static_cast<long double>(x) / 2) * sum);
}

TEST(ChiQuadratWahrscheinlichkeit, SmallDegreesOfFreedomAreNearlyExact) {
  // The normal tail approximation is good to about 3e-7 absolute and the constant 0.797885 to
  // about 6e-7 relative; 2e-6 covers both.
  for (std::uint32_t df : {1u, 2u, 3u, 4u, 5u, 7u, 10u, 17u, 29u, 30u}) {
    for (double x : {0.01, 0.5, 1.0, 3.841, 10.0, 25.0, 60.0, 150.0}) {
      EXPECT_TRUE(
          test::NearAbs(ChiQuadratWahrscheinlichkeit(df, x), ExactTail(df, x), test::kIterated))
          << "df " << df << " x " << x;
    }
  }
}

TEST(ChiQuadratWahrscheinlichkeit, BranchRules) {
  EXPECT_EQ(ChiQuadratWahrscheinlichkeit(0, 5), 0);
  EXPECT_TRUE(Near(ChiQuadratWahrscheinlichkeit(2, 2), std::exp(-1.0), test::kUlps));
  EXPECT_TRUE(test::NearAbs(ChiQuadratWahrscheinlichkeit(1, 3.841), 0.05, test::kApproximate));
  EXPECT_EQ(ChiQuadratWahrscheinlichkeit(5, 250), 0);
  // The cut-off holds for one degree of freedom too: the normal tail never reaches 0, and a
  // method with DF 1 and an absurd X² would otherwise beat every other one.
  EXPECT_EQ(ChiQuadratWahrscheinlichkeit(1, 250), 0);
  EXPECT_EQ(ChiQuadratWahrscheinlichkeit(1, 200), 0);
  EXPECT_GT(ChiQuadratWahrscheinlichkeit(1, 199.9), 0);
}

TEST(ChiQuadratWahrscheinlichkeit, NormalApproximationAboveThirty) {
  const double z = -(0.08 / 40 + 1.0 / 3) / std::sqrt(78.0);
  const double p = ChiQuadratWahrscheinlichkeit(40, 39);
  EXPECT_TRUE(Near(p, 1 - NormalSchwanz(z), test::kUlps));
  EXPECT_GT(p, 0.5);
  // Against the exact tail the approximation is close (a few thousandths at worst here).
  for (std::uint32_t df : {31u, 40u, 60u}) {
    for (double x : {20.0, 35.0, 50.0, 80.0}) {
      EXPECT_TRUE(
          test::NearAbs(ChiQuadratWahrscheinlichkeit(df, x), ExactTail(df, x), test::kSearched))
          << "df " << df << " x " << x;
    }
  }
}

TEST(NormalSchwanz, AgainstErfc) {
  for (double z : {0.0, 0.5, 1.0, 1.96, 3.0, -2.0, 6.0}) {
    EXPECT_TRUE(test::NearAbs(NormalSchwanz(z), 0.5 * std::erfc(std::fabs(z) / std::sqrt(2.0)),
                              test::kRationalFit))
        << z;
  }
}

}  // namespace
}  // namespace vk
