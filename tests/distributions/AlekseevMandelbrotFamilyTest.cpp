// SPDX-License-Identifier: GPL-3.0-or-later
// Right-truncated power laws on the values from 1: member 167 (Zipf-Alekseev with a given share
// of the first class) and member 178 (Zipf-Mandelbrot).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/distributions/StartCheck.h"

namespace vk {
namespace {

using test::Letzte;
using test::Near;

// 167 writes every class: the first is N w exactly and all of them sum to N.
TEST(AlekseevMandelbrotFamily, ZipfAlekseevFirstClassIsTheShare) {
  for (double w : {0.1, 0.62}) {
    Parametervektor par{1.1, 0.4};
    const auto l = test::Auswerten(167, par, {13, w}, 12, 1, 700);
    ASSERT_FALSE(l.fehler);
    EXPECT_EQ((*l.NP)[0], 700 * w);
    EXPECT_TRUE(Near(test::Summe(*l.NP, 12), 700, test::kTight));
  }
}

// 178: an a above 12 becomes 8, written back, with the frequencies of a = 8; at b = 0 it is
// the Zipf law normalised over the classes.
TEST(AlekseevMandelbrotFamily, ZipfMandelbrotCapOfAAndZipfLimit) {
  Parametervektor hoch{15, 0.5};
  Parametervektor acht{8, 0.5};
  const auto l15 = test::Auswerten(178, hoch, {}, 9, 1);
  const auto l8 = test::Auswerten(178, acht, {}, 9, 1);
  ASSERT_FALSE(l15.fehler);
  EXPECT_EQ(hoch[0], 8);
  for (std::uint32_t i = 0; i <= 9; ++i) EXPECT_EQ((*l15.NP)[i], (*l8.NP)[i]) << "i=" << i;
  double h = 0;
  for (int v = 1; v <= 10; ++v) h += std::pow(v, -1.7);
  test::MitReferenzVergleichen("zipf", 178, {1.7, 0}, {}, 900, 9, 1, Letzte::kPunkt,
                               [&](std::uint32_t i) { return std::pow(i + 1.0, -1.7) / h; });
}

// Exact data: the construction through the first classes recovers both parameters (167's
// third alternative through the classes 1..3, 178's third by bisection on b), and every
// regression recovers them too where the law is exact on every class.
TEST(AlekseevMandelbrotFamily, EstimatesOnExactData) {
  const auto alekseev = [](double x) {
    return x == 1 ? 0.3 : 0.05 * std::pow(x, -1.3 - 0.25 * std::log(x));
  };
  const auto mandelbrot = [](double x) { return 0.4 * std::pow(x + 2.5, -1.8); };
  const test::SlotFall faelle[] = {
      {"167",
       167,
       {20, 0.3},
       1,
       19,
       alekseev,
       Letzte::kPunkt,
       {{2, 1.3}, {52, 0.25}, {3, 1.3}, {53, 0.25}, {4, 1.3}, {54, 0.25}}},
      {"178", 178, {}, 1, 19, mandelbrot, Letzte::kPunkt, {{2, 1.8}, {52, 2.5}}, 1e-6},
  };
  for (const auto& c : faelle) test::SlotsPruefen(c);
}

TEST(AlekseevMandelbrotFamily, StartsOnRealDataGiveDistributions) {
  for (const char* datei : {"gpl3-word-letters.dat", "gpl3-sentence-words.dat"}) {
    const auto d = test::Beispieldaten(datei);
    const double n = d->XWerte[d->Statistik.n];
    const double w = d->Haeufigkeiten[0] / d->Statistik.summe;
    test::StartsGebenVerteilung(167, datei, test::MitBits(167, {0, 0}, {n, w}));
    test::StartsGebenVerteilung(178, datei, test::MitBits(178, {128, 512}));
  }
}

}  // namespace
}  // namespace vk
