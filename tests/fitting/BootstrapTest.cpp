// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Bootstrap.h"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "tests/fitting/InferenzHilfe.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

TEST(Bootstrap, ReplicateGeneratorDependsOnSeedAndIndexOnly) {
  struct Fall {
    std::uint64_t seedA, indexA, seedB, indexB;
    bool gleich;
  };
  // The high halves count: seeds or indices that differ above bit 31 give other draws.
  const Fall faelle[] = {
      {1, 0, 1, 0, true},
      {1, 0, 1, 1, false},
      {1, 0, 2, 0, false},
      {1, 0, 1 + (1ull << 32), 0, false},
      {7, 3, 7, 3 + (1ull << 32), false},
      {0, 0, 0, 0, true},
  };
  for (const Fall& f : faelle) {
    auto a = ReplikatGenerator(f.seedA, f.indexA);
    auto b = ReplikatGenerator(f.seedB, f.indexB);
    bool gleich = true;
    for (int i = 0; i < 8; ++i) gleich = gleich && a() == b();
    EXPECT_EQ(gleich, f.gleich) << f.seedA << "/" << f.indexA << " vs " << f.seedB << "/"
                                << f.indexB;
  }
}

TEST(Bootstrap, UniformTakesTheTop53BitsOfTheEngine) {
  // The documented draw, so that another implementation can repeat a run: the engine's next
  // output shifted right by 11, times 2^-53.
  auto g = ReplikatGenerator(42, 0);
  auto kopie = g;
  for (int i = 0; i < 1000; ++i) {
    const double u = Gleichverteilt(g);
    EXPECT_EQ(u, static_cast<double>(kopie() >> 11) * 0x1.0p-53);
    EXPECT_GE(u, 0.0);
    EXPECT_LT(u, 1.0);
  }
}

TEST(Bootstrap, MultinomialDrawsFollowTheWeights) {
  struct Fall {
    std::vector<double> gewichte;
    std::uint64_t n;
  };
  const Fall faelle[] = {
      {{0.2, 0.5, 0.3}, 200000},
      {{0, 3, 0, 1}, 100000},  // cells of weight 0 never drawn, also at the ends
      {{1}, 1000},
      {{5, 0}, 1000},
  };
  for (const Fall& f : faelle) {
    std::vector<double> kum;
    double s = 0;
    for (const double w : f.gewichte) kum.push_back(s += w);
    std::vector<double> zaehler(kum.size(), 0);
    auto g = ReplikatGenerator(2026, 1);
    MultinomialZiehen(kum, f.n, g, zaehler);
    double summe = 0;
    for (std::size_t i = 0; i < zaehler.size(); ++i) {
      summe += zaehler[i];
      const double p = f.gewichte[i] / s;
      const double erwartet = p * static_cast<double>(f.n);
      if (p == 0) {
        EXPECT_EQ(zaehler[i], 0) << "cell " << i;
        continue;
      }
      // Five binomial standard deviations: a fixed seed, so this is not a flaky bound.
      const double sd = std::sqrt(static_cast<double>(f.n) * p * (1 - p));
      EXPECT_LE(std::fabs(zaehler[i] - erwartet), 5 * sd + 1e-9) << "cell " << i;
    }
    EXPECT_EQ(summe, static_cast<double>(f.n));
  }
}

TEST(Bootstrap, SpreadIsSampleDeviationAndInterpolatedQuantiles) {
  struct Fall {
    std::vector<double> werte;
    double se, unten, oben;
  };
  // Python: statistics.stdev(d) and statistics.quantiles(d, n=40, method='inclusive')[0] and
  // [38] (the inclusive method interpolates at (m - 1) q).
  const Fall faelle[] = {
      {{3, 1, 4, 1, 5, 9, 2, 6, 5, 3}, 2.4698178070456938, 1.0, 8.325},
      {{2.5, 0.5}, 1.4142135623730951, 0.55, 2.45},
      {{4, 4, 4}, 0, 4, 4},
  };
  for (const Fall& f : faelle) {
    std::vector<double> w = f.werte;
    const ParameterStreuung s = StreuungBerechnen(w);
    EXPECT_TRUE(Near(s.se, f.se, test::kTight, 1e-15));
    EXPECT_TRUE(Near(s.unten, f.unten, test::kTight));
    EXPECT_TRUE(Near(s.oben, f.oben, test::kTight));
  }
  // Fewer than two values have no spread.
  for (std::vector<double> w : {std::vector<double>{}, std::vector<double>{1.5}}) {
    const ParameterStreuung s = StreuungBerechnen(w);
    EXPECT_TRUE(std::isnan(s.se));
    EXPECT_TRUE(std::isnan(s.unten));
    EXPECT_TRUE(std::isnan(s.oben));
  }
}

TEST(Bootstrap, BasicAndBiasCorrectedIntervalsAboutTheEstimate) {
  struct Fall {
    Intervallart art;
    double schaetzung, unten, oben;
  };
  // The values 3 1 4 1 5 9 2 6 5 3 (percentile ends 1.0 and 8.325, as above). Basic: 2θ̂ minus
  // the percentile ends. Bias-corrected, mpmath (30 digits): z0 = sqrt(2)*erfinv(2*s - 1) with s
  // the share below θ̂ (ties half; clamped to [0.05, 0.95] for m = 10), the quantiles at
  // ncdf(2*z0 -+ 1.959963984540054), interpolated as above.
  const Fall faelle[] = {
      {Intervallart::kPerzentil, 4, 1.0, 8.325},
      {Intervallart::kBasis, 4, -0.325, 7.0},
      {Intervallart::kBiaskorrigiert, 4, 1.0, 8.6352841178246812},                // s = 0.55
      {Intervallart::kBiaskorrigiert, 9, 6.521361211709356, 8.9999979429928333},  // s = 0.95
      {Intervallart::kBiaskorrigiert, 0, 1.0, 1.0},  // s = 0 clamped to 0.05: finite ends
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(IntervallartName(f.art)) + " at " + std::to_string(f.schaetzung));
    std::vector<double> w = {3, 1, 4, 1, 5, 9, 2, 6, 5, 3};
    const ParameterStreuung s = StreuungBerechnen(w, f.schaetzung, f.art);
    EXPECT_TRUE(Near(s.se, 2.4698178070456938, test::kTight));
    EXPECT_TRUE(Near(s.unten, f.unten, test::kTight, 1e-15));
    EXPECT_TRUE(Near(s.oben, f.oben, test::kTight, 1e-15));
  }
}

TEST(Bootstrap, NormalQuantileInvertsTheDistribution) {
  // mpmath (40 digits): sqrt(2)*erfinv(2*mpf(p) - 1), p the double nearest the decimal.
  const std::pair<double, double> faelle[] = {
      {0.025, -1.9599639845400542}, {1e-10, -6.3613409024040562},    {0.5, 0.0},
      {0.975, 1.9599639845400539},  {0.9999999, 5.1993375822906611},
  };
  for (const auto& [p, z] : faelle) {
    EXPECT_TRUE(Near(NormalQuantil(p), z, test::kTight, 1e-15)) << p;
    EXPECT_TRUE(Near(NormalVerteilung(z), p, test::kTight, 1e-17)) << p;
  }
  EXPECT_EQ(NormalQuantil(0), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(NormalQuantil(1), std::numeric_limits<double>::infinity());
}

TEST(Bootstrap, IntervalKindsReadBackByName) {
  for (const Intervallart a :
       {Intervallart::kPerzentil, Intervallart::kBasis, Intervallart::kBiaskorrigiert}) {
    Intervallart gelesen =
        a == Intervallart::kBasis ? Intervallart::kPerzentil : Intervallart::kBasis;
    EXPECT_TRUE(IntervallartLesen(IntervallartName(a), gelesen));
    EXPECT_EQ(gelesen, a);
  }
  for (const char* falsch : {"", "BC", "percentiles", "studentized"}) {
    Intervallart art = Intervallart::kBasis;
    EXPECT_FALSE(IntervallartLesen(falsch, art)) << falsch;
    EXPECT_EQ(art, Intervallart::kBasis);
  }
}

TEST(Bootstrap, MonteCarloPCountsTiesAsAtLeast) {
  struct Fall {
    std::vector<double> chi;
    double beobachtet;
    double p;  // exact fraction
  };
  const Fall faelle[] = {
      {{1, 2, 3, 4}, 2.5, 3.0 / 5}, {{1, 2, 3, 4}, 3, 3.0 / 5},  // a tie counts
      {{1, 2, 3, 4}, 9, 1.0 / 5},                                // never below 1/(1 + B')
      {{1, 2, 3, 4}, 0, 5.0 / 5},   {{}, 1, 1.0},
  };
  for (const Fall& f : faelle) EXPECT_EQ(MonteCarloP(f.chi, f.beobachtet), f.p);
}

// The negative binomial fitted to the Federalist counts, and its bootstrap.
struct Federalist {
  std::unique_ptr<Anpassungen> a = test::EngineMit(test::kMay);
  TVerteilung v = test::Mitglied(4);
  Federalist() { EXPECT_EQ(test::Anpassen(*a, v), status::kOk); }
  BootstrapErgebnis Lauf(std::uint32_t B, std::uint64_t seed, unsigned threads) {
    BootstrapVorgabe vorgabe;
    vorgabe.wiederholungen = B;
    vorgabe.seed = seed;
    vorgabe.threads = threads;
    BootstrapErgebnis e;
    EXPECT_EQ(BootstrapRechnen(*a, v, vorgabe, e), status::kOk);
    return e;
  }
};

bool Gleich(double x, double y) {
  return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

TEST(Bootstrap, SameSeedSameFiguresOnAnyNumberOfThreads) {
  Federalist f;
  const Parametervektor vorher = f.a->BesterVektor();
  const double chiVorher = f.a->Beste().chi;
  const BootstrapErgebnis eins = f.Lauf(60, 11, 1);
  for (const unsigned threads : {2u, 3u}) {
    const BootstrapErgebnis mehr = f.Lauf(60, 11, threads);
    EXPECT_EQ(mehr.erfolgreich, eins.erfolgreich);
    EXPECT_EQ(mehr.fehlgeschlagen, eins.fehlgeschlagen);
    EXPECT_TRUE(Gleich(mehr.pMonteCarlo, eins.pMonteCarlo));
    for (std::uint32_t k = 0; k < 2; ++k) {
      EXPECT_TRUE(Gleich(mehr.parameter[k].se, eins.parameter[k].se)) << threads;
      EXPECT_TRUE(Gleich(mehr.parameter[k].unten, eins.parameter[k].unten)) << threads;
      EXPECT_TRUE(Gleich(mehr.parameter[k].oben, eins.parameter[k].oben)) << threads;
    }
  }
  EXPECT_EQ(eins.verlangt, 60u);
  EXPECT_EQ(eins.gerechnet, 60u);
  EXPECT_EQ(eins.erfolgreich + eins.fehlgeschlagen, 60u);
  EXPECT_FALSE(eins.abgebrochen);
  // Another seed draws other samples.
  const BootstrapErgebnis andere = f.Lauf(60, 12, 2);
  EXPECT_FALSE(Gleich(andere.parameter[0].se, eins.parameter[0].se));
  // The engine's own fit is untouched.
  EXPECT_EQ(f.a->BesterVektor(), vorher);
  EXPECT_EQ(f.a->Beste().chi, chiVorher);
  // The figures are of the fitted law: the interval holds the estimate, the errors are positive.
  for (std::uint32_t k = 0; k < 2; ++k) {
    EXPECT_GT(eins.parameter[k].se, 0);
    EXPECT_LT(eins.parameter[k].unten, vorher[k]);
    EXPECT_GT(eins.parameter[k].oben, vorher[k]);
  }
  EXPECT_GT(eins.pMonteCarlo, 1.0 / 61);
  EXPECT_LE(eins.pMonteCarlo, 1.0);
}

TEST(Bootstrap, CancelStopsPromptlyWithThePartialCount) {
  Federalist f;
  BootstrapVorgabe vorgabe;
  vorgabe.wiederholungen = 1000000;
  vorgabe.seed = 5;
  vorgabe.threads = 2;
  std::atomic<int> fragen{0};
  std::uint32_t zuletzt = 0;
  vorgabe.fortschritt = [&](std::uint32_t fertig) { zuletzt = fertig; };
  vorgabe.abbruch = [&] { return ++fragen >= 3; };
  BootstrapErgebnis e;
  ASSERT_EQ(BootstrapRechnen(*f.a, f.v, vorgabe, e), status::kOk);
  EXPECT_TRUE(e.abgebrochen);
  EXPECT_LT(e.gerechnet, 1000000u);
  EXPECT_EQ(e.erfolgreich + e.fehlgeschlagen, e.gerechnet);
  EXPECT_LE(zuletzt, e.gerechnet);
}

TEST(Bootstrap, FailedRefitsAreCountedNotDropped) {
  // Ten items: many samples pool into too few classes for a degree of freedom, or fall into
  // one class, where the statistics have no variance; their refits fail.
  auto a = test::EngineMit({4, 3, 2, 1});
  ASSERT_TRUE(a);
  const TVerteilung v = test::Mitglied(2);
  ASSERT_EQ(test::Anpassen(*a, v), status::kOk);
  BootstrapVorgabe vorgabe;
  vorgabe.wiederholungen = 200;
  vorgabe.seed = 3;
  vorgabe.threads = 2;
  BootstrapErgebnis e;
  ASSERT_EQ(BootstrapRechnen(*a, v, vorgabe, e), status::kOk);
  EXPECT_EQ(e.gerechnet, 200u);
  EXPECT_GT(e.fehlgeschlagen, 0u);
  EXPECT_EQ(e.erfolgreich + e.fehlgeschlagen, 200u);
  // The Monte Carlo P has B' in its denominator: a multiple of 1/(1 + B').
  const double zaehler = e.pMonteCarlo * (1 + e.erfolgreich);
  EXPECT_TRUE(Near(zaehler, std::round(zaehler), 1e-9));
}

TEST(Bootstrap, NoFitNoBootstrap) {
  auto a = test::EngineMit(test::kMay);
  BootstrapVorgabe vorgabe;
  vorgabe.wiederholungen = 10;
  BootstrapErgebnis e;
  EXPECT_EQ(BootstrapRechnen(*a, test::Mitglied(4), vorgabe, e), status::kNoFit);
  EXPECT_EQ(e.gerechnet, 0u);
}

}  // namespace
}  // namespace vk
