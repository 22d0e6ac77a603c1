// SPDX-License-Identifier: GPL-3.0-or-later
// Where the shortcut says no cut can fall below L, no trial of the bound may give one: the
// members skip their trials there, and a trial that did cut would make the skipped route's
// classes differ from the tried route's.
#include "distributions/helpers/Schnittschranke.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace vk::schnittschranke {
namespace {

TEST(Schnittschranke, NoTrialCutsBelowLWhereTheShortcutSkips) {
  struct Fall {
    double tMax;
    std::uint32_t L;
  };
  // tMax 64 is the widest trial of the members with a fixed set of s; the others bound t by a
  // parameter (tiny to huge). L around each threshold 690 / ln(1 + tMax).
  for (const Fall f : {Fall{64, 2}, Fall{64, 165}, Fall{64, 166}, Fall{64, 167}, Fall{1e-6, 30},
                       Fall{0.5, 1700}, Fall{0.5, 1703}, Fall{3, 497}, Fall{3, 498}, Fall{1e9, 33},
                       Fall{1e9, 34}, Fall{1e300, 2}}) {
    SCOPED_TRACE(testing::Message() << "tMax " << f.tMax << ", L " << f.L);
    if (Moeglich(f.tMax, f.L)) continue;
    // ln G(s) >= 0 for s > 1; a rounded one may come out a little below 0.
    for (const double logG : {-1e-9, 0.0, 1e-3, 5.0}) {
      for (const double anteil : {1.0, 1 - 0x1p-12, 0.5, 0x1p-30}) {
        Kleinste k;
        k.Versuchen(logG, anteil * f.tMax);
        EXPECT_GE(k.Klasse(), f.L) << "ln G " << logG << ", t " << anteil * f.tMax;
      }
    }
  }
}

TEST(Schnittschranke, LeastTrialAndNoneBeyondTheRange) {
  Kleinste k;
  EXPECT_EQ(k.Klasse(), kKeiner);
  // x = (ln G + 690.78) / ln(1 + t): 690.78 / ln 2 = 996.6, the next class and one beyond.
  k.Versuchen(0, 1);
  EXPECT_EQ(k.Klasse(), 998u);
  k.Versuchen(1e12, 1);  // a worse trial changes nothing
  EXPECT_EQ(k.Klasse(), 998u);
  Kleinste fern;
  fern.Versuchen(0, 1e-7);  // beyond 2^32: no cut
  EXPECT_EQ(fern.Klasse(), kKeiner);
}

}  // namespace
}  // namespace vk::schnittschranke
