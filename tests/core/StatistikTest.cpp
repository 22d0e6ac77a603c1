// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <vector>

#include "core/DatenLesen.h"
#include "core/Statistik.h"
#include "core/TextRecordSource.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

struct Gelesen {
  Status status;
  std::unique_ptr<TDatensatz> d;
  TDateneigenschaften e;
};

Gelesen Lesen(const std::vector<std::pair<unsigned, double>>& klassen) {
  std::ostringstream text;
  for (const auto& [x, f] : klassen) text << x << ' ' << f << '\n';
  std::istringstream in(text.str());
  TextRecordSource quelle(in);
  Gelesen g{0, std::make_unique<TDatensatz>(), {}};
  g.status = DatenLesen(*g.d, quelle, g.e);
  return g;
}

// Reference values written out by hand from the definitions.
TEST(Statistik, SymmetricThreeClasses) {
  const Gelesen g = Lesen({{0, 1}, {1, 2}, {2, 1}});
  ASSERT_EQ(g.status, status::kOk);
  const TStatistik& s = g.d->Statistik;
  EXPECT_EQ(s.summe, 4);
  EXPECT_TRUE(Near(s.m1, 1, test::kTight));
  EXPECT_TRUE(Near(s.m2, 0.5, test::kTight));
  EXPECT_TRUE(test::NearAbs(s.m3, 0, test::kUlps));
  EXPECT_TRUE(Near(s.m4, 0.5, test::kTight));
  EXPECT_TRUE(Near(s.fm2, 0.5, test::kTight));
  EXPECT_TRUE(test::NearAbs(s.fm3, 0, test::kShort));
  EXPECT_TRUE(test::NearAbs(s.schiefe, 0, test::kUlps));
  EXPECT_TRUE(Near(s.exzess, -1, test::kTight));
  EXPECT_TRUE(Near(s.ord_i, 0.5, test::kTight));
  EXPECT_TRUE(test::NearAbs(s.ord_s, 0, test::kUlps));
  EXPECT_TRUE(test::NearAbs(s.paritaet, 0, test::kUlps));
  EXPECT_TRUE(test::NearAbs(s.paritaetK, 0, test::kUlps));
  EXPECT_TRUE(Near(s.entropie, (std::log(2.0) * 1.5) / std::log(3.0), test::kTight));
  EXPECT_TRUE(Near(s.wiederholungsrate, 0.9375, test::kTight));
  EXPECT_EQ(s.ModusGruppenIndex, 0);
  EXPECT_EQ(g.e.tot, 4);
  EXPECT_EQ(g.e.n, 2);
}

// Moments of a skewed set against sums written directly from the definitions, including the
// factorial moments as E[X(X-1)...], which the statistics derive from central moments.
TEST(Statistik, MomentsAgreeWithDirectSums) {
  const std::vector<std::pair<unsigned, double>> k = {{1, 12}, {2, 30}, {3, 21}, {4, 9}, {6, 2.5}};
  const Gelesen g = Lesen(k);
  ASSERT_EQ(g.status, status::kOk);
  double N = 0, sx = 0;
  for (auto [x, f] : k) N += f, sx += x * f;
  const double mean = sx / N;
  double c2 = 0, c3 = 0, c4 = 0, f2 = 0, f3 = 0, f4 = 0;
  for (auto [x, f] : k) {
    const double d = x - mean;
    c2 += d * d * f / N;
    c3 += d * d * d * f / N;
    c4 += d * d * d * d * f / N;
    const double xx = x;
    f2 += xx * (xx - 1) * f / N;
    f3 += xx * (xx - 1) * (xx - 2) * f / N;
    f4 += xx * (xx - 1) * (xx - 2) * (xx - 3) * f / N;
  }
  const TStatistik& s = g.d->Statistik;
  EXPECT_EQ(s.n, 5u);  // x = 5 was filled in
  EXPECT_TRUE(Near(s.m1, mean, test::kTight));
  EXPECT_TRUE(Near(s.m2, c2, test::kTight));
  EXPECT_TRUE(Near(s.m3, c3, test::kLong));
  EXPECT_TRUE(Near(s.m4, c4, test::kLong));
  // Rebuilding raw moments from central ones cancels digits; 1e-10 covers that.
  EXPECT_TRUE(Near(s.fm2, f2, test::kLogRoute));
  EXPECT_TRUE(Near(s.fm3, f3, test::kLogRoute));
  EXPECT_TRUE(Near(s.fm4, f4, test::kLogRoute));
  EXPECT_TRUE(Near(s.m1x0, mean - 1, test::kTight));
  EXPECT_TRUE(Near(s.schiefe, c3 / std::pow(c2, 1.5), test::kLong));
  EXPECT_TRUE(Near(s.exzess, c4 / (c2 * c2) - 3, test::kLong));
  EXPECT_TRUE(Near(s.ord_i, c2 / mean, test::kTight));
  EXPECT_TRUE(Near(s.ord_s, c3 / c2, test::kLong));
  // Parity uses the class index: even classes 0, 2, 4 hold x = 1, 3, 6 (the filled x = 5 is 4).
  const double gerade = (12 + 21 + 0) / N;
  EXPECT_TRUE(Near(s.paritaet, std::fabs(2 * gerade - 1), test::kTight));
  const double pk = (-0 * 12 + 1 * 30 - 2 * 21 + 3 * 9 - 4 * 0 + 5 * 2.5) / N;
  EXPECT_TRUE(Near(s.paritaetK, std::fabs(pk), test::kTight));
  double h = 0, q = 0;
  for (auto [x, f] : k) h -= f / N * std::log(f / N), q += (f / N) * (f / N);
  EXPECT_TRUE(Near(s.entropie, h / std::log(6.0), test::kTight));  // K = 6 with the gap
  EXPECT_TRUE(Near(s.wiederholungsrate, (1 - q) / (1 - 1.0 / 6), test::kTight));
  EXPECT_TRUE(Near(g.e.m2, c2, test::kTight));
  EXPECT_EQ(g.e.tot, 74);  // N = 74.5 truncates
}

struct ModusCase {
  const char* name;
  std::vector<double> f;
  int index;
  std::array<double, 3> quotient;
};

class ModusGruppe : public ::testing::TestWithParam<ModusCase> {};

TEST_P(ModusGruppe, FindsTheDensestPositiveWindow) {
  const ModusCase& c = GetParam();
  TStatistik s;
  s.n = static_cast<std::uint32_t>(c.f.size() - 1);
  KlassenHaeufigkeiten f{};
  std::copy(c.f.begin(), c.f.end(), f.begin());
  ModusGruppeSuchen(f, s);
  EXPECT_EQ(s.ModusGruppenIndex, c.index);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Near(s.quotient[i], c.quotient[i], test::kTight));
}

INSTANTIATE_TEST_SUITE_P(
    Statistik, ModusGruppe,
    ::testing::Values(ModusCase{"OneWindow", {1, 2, 3, 4}, 1, {2, 1.5, 4.0 / 3}},
                      ModusCase{"ZeroInEveryWindow", {3, 0, 3, 3, 3, 0}, 0, {0, 0, 0}},
                      ModusCase{"TooFewClasses", {5, 6, 7}, 0, {0, 0, 0}},
                      ModusCase{"TiesKeepTheLeftmost", {2, 2, 2, 2, 1, 2, 2, 2, 2}, 1, {1, 1, 1}},
                      ModusCase{
                          "LaterDenserWindowWins", {1, 1, 1, 1, 9, 8, 4}, 4, {9, 8.0 / 9, 0.5}}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(Statistik, ZeroVarianceIsAFaultNotAResult) {
  EXPECT_EQ(Lesen({{5, 10}}).status, status::kException);
  EXPECT_EQ(Lesen({{0, 10}}).status, status::kDataNotUsable);
}

TEST(Statistik, NegativeMeanIsAFault) {
  // Frequencies are not sign-checked; a negative mass makes the mean negative and ln(m1) fails.
  EXPECT_EQ(Lesen({{1, -5}, {2, 1}}).status, status::kException);
}

TEST(Statistik, GapClassesCountInKButNotInEntropy) {
  const Gelesen mitLuecke = Lesen({{1, 5}, {3, 5}});
  ASSERT_EQ(mitLuecke.status, status::kOk);
  EXPECT_TRUE(Near(mitLuecke.d->Statistik.entropie, std::log(2.0) / std::log(3.0), test::kTight));
}

TEST(Statistik, FailedStatisticsLeaveTheUserCopyUntouched) {
  auto d = std::make_unique<TDatensatz>();
  d->Statistik.n = 0;
  d->XWerte[0] = 5;
  d->Haeufigkeiten[0] = 10;
  d->Statistik.summe = 10;
  TDateneigenschaften e;
  e.m1 = 123;
  EXPECT_EQ(StatistikBerechnen(*d, e), status::kException);
  EXPECT_EQ(e.m1, 123);
}

}  // namespace
}  // namespace vk
