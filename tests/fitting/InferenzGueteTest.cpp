// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the standard errors and intervals mean what they say, measured on data simulated from
// known laws (fixed seeds, so every run sees the same data and the same bootstrap samples).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "fitting/Anpassungsguete.h"
#include "fitting/Bootstrap.h"
#include "fitting/Kruemmung.h"
#include "tests/fitting/InferenzHilfe.h"

namespace vk {
namespace {

// Probabilities of x = 0..L by the laws' closed forms (independent of the members' recurrences),
// with L where the rest of the mass lies under 1e-15.
std::vector<double> Poisson(double a) {
  std::vector<double> p;
  for (int x = 0; p.empty() || p.back() > 1e-15 || x < 5; ++x)
    p.push_back(std::exp(x * std::log(a) - a - std::lgamma(x + 1.0)));
  return p;
}

// C(k + x - 1, x) p^k (1 - p)^x.
std::vector<double> NegativBinomial(double k, double p) {
  std::vector<double> w;
  for (int x = 0; w.empty() || w.back() > 1e-15 || x < 5; ++x)
    w.push_back(std::exp(std::lgamma(k + x) - std::lgamma(k) - std::lgamma(x + 1.0) +
                         k * std::log(p) + x * std::log1p(-p)));
  return w;
}

// The negative binomial with an extra share 1 - b at 0: P(0) = b p^k + 1 - b, P(x) = b NB(x).
std::vector<double> NullInflation(std::vector<double> nb, double b) {
  for (double& w : nb) w *= b;
  nb[0] += 1 - b;
  return nb;
}

// N counts drawn from `p`, empty classes at the end cut off (the data end at their largest x).
std::vector<double> Simulieren(const std::vector<double>& p, std::uint64_t n, std::uint64_t seed,
                               std::uint64_t index) {
  std::vector<double> kum;
  double s = 0;
  for (const double w : p) kum.push_back(s += w);
  std::vector<double> f(p.size(), 0);
  auto g = ReplikatGenerator(seed, index);
  MultinomialZiehen(kum, n, g, f);
  while (f.size() > 1 && f.back() == 0) f.pop_back();
  return f;
}

struct Abdeckungsfall {
  std::uint32_t nummer;
  std::vector<double> wahr;  // the free parameters in vector order
  std::vector<double> p;
  std::uint64_t N;
};

// The configuration docs/inference.md recommends for intervals: the refined fit and the basic
// interval. Both are needed for member 108 and both are measured here:
// - The classic cycle alone stops short of the minimum on about one set in eight of the
//   zero-inflated law (X² from 50 to 950 at N = 4000, where about 20 is expected); such a
//   "minimum" is no estimate, and neither its interval nor its refits' spread means anything
//   (the spread of k over the refits came out at 1.4 against a true 0.17). Refined, every fit
//   reaches its minimum.
// - The minimum-X² estimates of the zero-inflated law are biased (k and p low, in the mean 1.956
//   and 0.3935 for a true 2 and 0.4) and the refits repeat the bias around the estimate. The
//   percentile interval adds it a second time (k 89 %, p 84 %); the basic interval reflects it
//   out (k 91 %, p 93 %, b 95 %). The bias-corrected one leaves p at 89 %.
TEST(InferenzGuete, RecommendedIntervalsCoverTheTrueValue) {
  constexpr int kDatensaetze = 300;
  constexpr std::uint32_t kB = 100;
  // The zero-inflated law needs the larger sample: at N = 400 its k is barely identified (the
  // share at 0 trades against k).
  const Abdeckungsfall faelle[] = {
      {2, {2.5}, Poisson(2.5), 400},
      {4, {2.5, 0.4}, NegativBinomial(2.5, 0.4), 400},
      {108, {2, 0.4, 0.7}, NullInflation(NegativBinomial(2, 0.4), 0.7), 4000},
  };
  for (const Abdeckungsfall& c : faelle) {
    SCOPED_TRACE("member " + std::to_string(c.nummer));
    const TVerteilung v = test::Mitglied(c.nummer);
    std::vector<int> getroffen(c.wahr.size(), 0);
    int gezaehlt = 0;
    for (int d = 0; d < kDatensaetze; ++d) {
      auto a = test::EngineMit(Simulieren(c.p, c.N, 1000 + c.nummer, d));
      if (!a) continue;
      TEinstellungen verfeinert = a->Einstellungen();
      verfeinert.Verfeinerung = true;
      a->EinstellungenUebernehmen(verfeinert);
      if (test::Anpassen(*a, v) != status::kOk) continue;
      BootstrapVorgabe vorgabe;
      vorgabe.wiederholungen = kB;
      vorgabe.seed = 7 * 1000 + d;
      vorgabe.intervall = Intervallart::kBasis;
      BootstrapErgebnis e;
      ASSERT_EQ(BootstrapRechnen(*a, v, vorgabe, e), status::kOk);
      if (e.erfolgreich < kB * 9 / 10) continue;
      ++gezaehlt;
      for (std::size_t k = 0; k < c.wahr.size(); ++k)
        if (e.parameter[k].unten <= c.wahr[k] && c.wahr[k] <= e.parameter[k].oben) ++getroffen[k];
    }
    // Nearly every simulated set must count, or the rate would describe a selection.
    ASSERT_GE(gezaehlt, kDatensaetze * 95 / 100);
    for (std::size_t k = 0; k < c.wahr.size(); ++k) {
      const double rate = static_cast<double>(getroffen[k]) / gezaehlt;
      RecordProperty("member" + std::to_string(c.nummer) + "_parameter" + std::to_string(k),
                     std::to_string(getroffen[k]) + "/" + std::to_string(gezaehlt));
      EXPECT_GE(rate, 0.90) << "parameter " << k;
      EXPECT_LE(rate, 0.99) << "parameter " << k;
    }
  }
}

TEST(InferenzGuete, MonteCarloPAgreesWithTheChiSquarePOnALargeSample) {
  // N = 20000 from the negative binomial: every cell well filled, so X² follows its chi-square
  // law and both P estimate the same tail.
  const std::vector<double> f = Simulieren(NegativBinomial(2.5, 0.4), 20000, 99, 0);
  auto a = test::EngineMit(f);
  ASSERT_TRUE(a);
  const TVerteilung v = test::Mitglied(4);
  ASSERT_EQ(test::Anpassen(*a, v), status::kOk);
  BootstrapVorgabe vorgabe;
  vorgabe.wiederholungen = 1000;
  vorgabe.seed = 20;
  BootstrapErgebnis e;
  ASSERT_EQ(BootstrapRechnen(*a, v, vorgabe, e), status::kOk);
  EXPECT_EQ(e.fehlgeschlagen, 0u);
  EXPECT_NEAR(e.pMonteCarlo, a->Beste().p, 0.03) << "X² " << a->Beste().chi;
}

struct Vergleichsfall {
  const char* datei;
  std::uint32_t nummer;
  // Whether the ratio curvature SE / bootstrap SE of each free parameter is held within 20 % of
  // 1; a pair not compared has its reason in the test's comment.
  std::array<bool, 2> vergleichen;
};

TEST(InferenzGuete, CurvatureAndBootstrapErrorsAgreeWhereTheLawFits) {
  // Both from the refined fit: the classic cycle alone stops short of the minimum on the shell
  // accidents (X² 4.0752 where the minimum over the same six cells is 3.6058), and the curvature
  // at a point that is no minimum is not the estimate's (its p error came out 1.26 times the
  // bootstrap's). Refined, the ratios are 0.85 for k and 0.98 for p.
  // Compared where both exist and the X² test does not reject the law (P above 0.05): the
  // bootstrap draws from the fitted law, and where the data lie far from it (Poisson on the
  // shell accidents and on the text samples, the negative binomial on the text samples) the
  // curvature at the data measures their distance from the law as well. Where the minimum lies
  // on an edge (negative binomial on the Poisson-like horse kicks and alpha particles: p near 1)
  // the curvature has none; Poisson on the sentence lengths finds no fit.
  // One pair that fits parts by more than 20 % and is not compared: the negative binomial on the
  // sentence lengths (68 classes with NP near 1; 0.73 for k and 0.65 for p). There the refits
  // pool differently from sample to sample while the curvature holds the data's cells: with the
  // cells held, the estimate's simulated spread is within 8 % of the curvature's
  // (docs/inference.md).
  const Vergleichsfall faelle[] = {
      {"horse-kicks.dat", 2, {true, false}},
      {"alpha-particles.dat", 2, {true, false}},
      {"shell-accidents.dat", 4, {true, true}},
  };
  for (const Vergleichsfall& c : faelle) {
    SCOPED_TRACE(std::string(c.datei) + ", member " + std::to_string(c.nummer));
    auto a = test::EngineAusDatei(std::string(VK_DATA_DIR) + "/" + c.datei);
    ASSERT_TRUE(a);
    TEinstellungen verfeinert = a->Einstellungen();
    verfeinert.Verfeinerung = true;
    a->EinstellungenUebernehmen(verfeinert);
    const TVerteilung v = test::Mitglied(c.nummer);
    ASSERT_EQ(test::Anpassen(*a, v), status::kOk);
    EXPECT_GT(a->Beste().p, 0.05);
    const KruemmungsErgebnis k = KruemmungRechnen(*a);
    ASSERT_TRUE(k.Verfuegbar()) << KruemmungsgrundText(k.grund);
    BootstrapVorgabe vorgabe;
    vorgabe.wiederholungen = 500;
    vorgabe.seed = 33;
    BootstrapErgebnis e;
    ASSERT_EQ(BootstrapRechnen(*a, v, vorgabe, e), status::kOk);
    ASSERT_GE(e.erfolgreich, vorgabe.wiederholungen * 9 / 10);
    for (std::uint32_t j = 0; j < k.parZahl; ++j) {
      if (c.vergleichen[j]) {
        EXPECT_NEAR(k.se[j] / e.parameter[j].se, 1.0, 0.2) << "parameter " << j;
      }
    }
  }
}

TEST(InferenzGuete, RefinedShellAccidentsReachTheMinimumAndItsCurvature) {
  // mpmath (30 digits): X² over the six cells x = 0..4 and 5 or more of the negative binomial,
  // f = 447 132 42 21 3 2, N = 647; findroot on its gradient from (0.81, 0.63) gives the minimum
  // k = 0.813385, p = 0.631162, X² = 3.6058206; mp.diff Hessian there, covariance 2 H⁻¹:
  // SE(k) = 0.1772955, SE(p) = 0.05456203. The simplex stops within its tolerance of that
  // minimum (k to about 1e-3), hence 1 % on the errors.
  auto a = test::EngineAusDatei(std::string(VK_DATA_DIR) + "/shell-accidents.dat");
  ASSERT_TRUE(a);
  TEinstellungen verfeinert = a->Einstellungen();
  verfeinert.Verfeinerung = true;
  a->EinstellungenUebernehmen(verfeinert);
  ASSERT_EQ(test::Anpassen(*a, test::Mitglied(4)), status::kOk);
  EXPECT_NEAR(a->Beste().chi, 3.6058206, 1e-3);
  const KruemmungsErgebnis k = KruemmungRechnen(*a);
  ASSERT_TRUE(k.Verfuegbar());
  EXPECT_NEAR(k.se[0], 0.1772955, 0.1772955 * 1e-2);
  EXPECT_NEAR(k.se[1], 0.05456203, 0.05456203 * 1e-2);
}

TEST(InferenzGuete, CurvatureOfTheShellAccidentsMatchesAnIndependentHessian) {
  // The classic cycle's end point, which is no minimum (see above): the curvature there is
  // still computed right. mpmath (30 digits): the six cells x = 0..4 and 5 or more of the
  // negative binomial with k = 0.94689, p = 0.66469, X² = Σ (f - N π)² / (N π) with
  // f = 447 132 42 21 3 2, N = 647; central differences with h = 1e-6, covariance 2 H⁻¹:
  // SE(k) = 0.266057, SE(p) = 0.0651159. The fit's own end point differs from the rounded one
  // in the sixth digit, hence 1e-3.
  auto a = test::EngineAusDatei(std::string(VK_DATA_DIR) + "/shell-accidents.dat");
  ASSERT_TRUE(a);
  ASSERT_EQ(test::Anpassen(*a, test::Mitglied(4)), status::kOk);
  const KruemmungsErgebnis k = KruemmungRechnen(*a);
  ASSERT_TRUE(k.Verfuegbar());
  EXPECT_NEAR(k.se[0], 0.266057, 0.266057 * 1e-3);
  EXPECT_NEAR(k.se[1], 0.0651159, 0.0651159 * 1e-3);
}

}  // namespace
}  // namespace vk
