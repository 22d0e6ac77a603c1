// SPDX-License-Identifier: GPL-3.0-or-later
// Automatic values of fixed parameters from their condition codes. Expected values are read off
// the listed classes by hand.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "catalog/Festparameter.h"
#include "tests/catalog/CatalogFixtures.h"

namespace vk::test {
namespace {

struct Daten {
  const char* name;
  std::uint32_t x0;
  std::vector<double> f;
};

struct Case {
  Daten daten;
  const char* code;
  std::optional<double> expect;
};

const Daten kGapAtClass1{"x=2..9, f=5 0 3 1 1 0 0 4", 2, {5, 0, 3, 1, 1, 0, 0, 4}};
const Daten kGapAfterRun{"x=0..5, f=3 4 0 0 2 1", 0, {3, 4, 0, 0, 2, 1}};
const Daten kNoGap{"x=1..3, f=1 2 3", 1, {1, 2, 3}};
const Daten kGapToTheEnd{"x=0..3, f=1 2 0 0", 0, {1, 2, 0, 0}};
const Daten kOneClass{"x=5, f=7", 5, {7}};
const Daten kFractional{"x=0..1, f=2.5 1.7 (integer total 4)", 0, {2.5, 1.7}};
const Daten kBelowOne{"x=0, f=0.4 (integer total 0)", 0, {0.4}};

TEST(AutomatischerWert, EveryCodeOnDataWithAndWithoutGaps) {
  const Case cases[] = {
      {kGapAtClass1, "g1=x0", 2},
      {kGapAtClass1, "g1=xN", 9},
      {kGapAtClass1, "g1=xL", 2},  // class 1 (x=3) is empty: x just before it
      {kGapAtClass1, "g1=xR", 4},  // empty run from class 1 ends at x=4
      {kGapAfterRun, "g2=xL", 1},
      {kGapAfterRun, "g2=xR", 4},
      // The scans reaching the last class yield its x.
      {kNoGap, "g1=xL", 3},
      {kNoGap, "g1=xR", 3},
      {kGapToTheEnd, "g1=xL", 1},
      {kGapToTheEnd, "g1=xR", 3},
      {kOneClass, "g1=x0", 5},
      {kOneClass, "g1=xL", 5},
      {kOneClass, "g1=xR", 5},
      {kOneClass, "g1=xN", 5},
      {kOneClass, "r1=1-f[0]/tot", 0},
      {kOneClass, "rq=e^f0/N", 1},
      {kGapAfterRun, "r1=1-f[0]/tot", 1 - 3.0 / 10},
      {kGapAfterRun, "rq=e^f0/N", 3.0 / 10},
      {kFractional, "rq=e^f0/N", 2.5 / 4},
      {kFractional, "r1=1-f[0]/tot", 1 - 2.5 / 4},
      {kBelowOne, "rq=e^f0/N", std::nullopt},
      {kBelowOne, "g1=xN", 0},
      // Codes that name no value.
      {kGapAtClass1, "G1=xN", std::nullopt},
      {kGapAtClass1, "g1=xn", std::nullopt},
      {kGapAtClass1, "g1=yN", std::nullopt},
      {kGapAtClass1, "g1=xN ", std::nullopt},
      {kGapAtClass1, "g1:xN", std::nullopt},
      {kGapAtClass1, "g1=x1", std::nullopt},
      {kGapAtClass1, "r1=1-f[0]/to", std::nullopt},
      {kGapAtClass1, "r1=2-f[0]/tot", std::nullopt},
      {kGapAtClass1, "rq=e^f0/NN", std::nullopt},
      {kGapAtClass1, "R1=1-f[0]/tot", std::nullopt},
      {kGapAtClass1, "", std::nullopt},
      {kGapAtClass1, "manual", std::nullopt},
  };
  auto d = std::make_unique<TDatensatz>();
  for (const Case& c : cases) {
    FillData(*d, c.daten.x0, c.daten.f);
    double wert = -12345;
    const bool found = AutomatischerWert(c.code, *d, wert);
    EXPECT_EQ(found, c.expect.has_value()) << c.daten.name << " / '" << c.code << "'";
    if (found && c.expect) {
      EXPECT_TRUE(Near(wert, *c.expect, kTight, kUlps)) << c.daten.name << " / " << c.code;
    }
  }
}

TEST(AutomatischerWert, NothingWithoutValidData) {
  auto d = std::make_unique<TDatensatz>();
  FillData(*d, 3, {1, 2});
  d->DatenGueltig = false;
  double wert = 0;
  EXPECT_FALSE(AutomatischerWert("g1=x0", *d, wert));
  EXPECT_FALSE(AutomatischerWert("r1=1-f[0]/tot", *d, wert));
}

TEST(AutomatischerWert, LaterReadsLeaveNoTraceBeyondTheLastClass) {
  // Classes beyond n hold leftovers of an earlier, longer data set; the scans must not see them.
  auto d = std::make_unique<TDatensatz>();
  FillData(*d, 0, {1, 1, 1, 0, 5});
  FillData(*d, 0, {1, 1, 1});
  double wert = 0;
  ASSERT_TRUE(AutomatischerWert("g1=xL", *d, wert));
  EXPECT_EQ(wert, 2);
  ASSERT_TRUE(AutomatischerWert("g1=xR", *d, wert));
  EXPECT_EQ(wert, 2);
}

TEST(GanzzahligerFestparameter, FirstLetterGInEitherCase) {
  EXPECT_TRUE(GanzzahligerFestparameter("g1=xN"));
  EXPECT_TRUE(GanzzahligerFestparameter("G"));
  EXPECT_FALSE(GanzzahligerFestparameter("r1=1-f[0]/tot"));
  EXPECT_FALSE(GanzzahligerFestparameter(""));
}

}  // namespace
}  // namespace vk::test

namespace vk {
namespace {

struct Festwertfall {
  const char* bedingung;
  double wert;
  const char* grund;  // empty when the value is accepted
};

// A count given as a fraction was computed as its whole part and reported as given; every way of
// breaking a count's rule gets the same text.
TEST(FestwertPruefen, CountsAreWholeNumbersWithOneTextPerCondition) {
  const std::string greater = "must be a whole number greater than 0 and at most 10000000";
  const Festwertfall faelle[] = {
      {"g1>0", 2, ""},
      {"g1>0", 2.5, greater.c_str()},
      {"g1>0", 0, greater.c_str()},
      {"g1>0", -1, greater.c_str()},
      {"g1>0", 1e7 + 1, greater.c_str()},
      {"g=x0", 3, ""},
      {"g=x0", 0.5, "must be a whole number from 0 to 10000000"},
      {"g=x0", -2, "must be a whole number from 0 to 10000000"},
      {"r=1-f[0]/N", 0.25, ""},  // not a count: fractions are its purpose
      {"0<a<1", 1.5, "must lie between 0 and 1"},
  };
  for (const Festwertfall& f : faelle)
    EXPECT_EQ(FestwertPruefen(f.bedingung, f.wert), f.grund) << f.bedingung << " " << f.wert;
}

}  // namespace
}  // namespace vk
