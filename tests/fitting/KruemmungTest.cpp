// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Kruemmung.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/fitting/InferenzHilfe.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

TEST(Kruemmung, HessianOfAQuadraticGivesTheInverseOfItsMatrix) {
  // f(θ) = (θ - c)ᵀ A (θ - c) has H = 2A, so 2 H⁻¹ = A⁻¹; the inverses by hand (Python
  // fractions: Matrix inverse of [[4, 1], [1, 3]] is [[3, -1], [-1, 4]] / 11).
  struct Fall {
    Matrix A;
    std::uint32_t m;
    Matrix inverse;
  };
  Fall faelle[3]{};
  faelle[0].m = 1;
  faelle[0].A[0][0] = 8;
  faelle[0].inverse[0][0] = 0.125;
  faelle[1].m = 2;
  faelle[1].A[0] = {4, 1};
  faelle[1].A[1] = {1, 3};
  faelle[1].inverse[0] = {3.0 / 11, -1.0 / 11};
  faelle[1].inverse[1] = {-1.0 / 11, 4.0 / 11};
  // [[2, -1, 0], [-1, 2, -1], [0, -1, 2]]⁻¹ = [[3, 2, 1], [2, 4, 2], [1, 2, 3]] / 4.
  faelle[2].m = 3;
  faelle[2].A[0] = {2, -1, 0};
  faelle[2].A[1] = {-1, 2, -1};
  faelle[2].A[2] = {0, -1, 2};
  faelle[2].inverse[0] = {0.75, 0.5, 0.25};
  faelle[2].inverse[1] = {0.5, 1, 0.5};
  faelle[2].inverse[2] = {0.25, 0.5, 0.75};
  for (const Fall& fall : faelle) {
    const Parametervektor c{1.5, -2, 0.25};
    const Zielwert f = [&](const Parametervektor& v, double& y) {
      y = 0;
      for (std::uint32_t i = 0; i < fall.m; ++i)
        for (std::uint32_t j = 0; j < fall.m; ++j)
          y += (v[i] - c[i]) * fall.A[i][j] * (v[j] - c[j]);
      return true;
    };
    const std::array<std::uint32_t, 3> frei{0, 1, 2};
    const std::array<double, 3> h{1e-3, 2e-3, 5e-4};
    Matrix H{};
    ASSERT_TRUE(
        HesseMatrixBerechnen(f, c, std::span(frei.data(), fall.m), std::span(h.data(), fall.m), H));
    Matrix kov{};
    ASSERT_TRUE(KovarianzAusHesse(H, fall.m, kov));
    for (std::uint32_t i = 0; i < fall.m; ++i) {
      for (std::uint32_t j = 0; j < fall.m; ++j) {
        EXPECT_TRUE(Near(H[i][j], 2 * fall.A[i][j], 1e-6, 1e-6)) << i << "," << j;
        EXPECT_TRUE(Near(kov[i][j], fall.inverse[i][j], 1e-6, 1e-9)) << i << "," << j;
      }
    }
  }
}

TEST(Kruemmung, NotPositiveDefiniteIsRefused) {
  const Matrix faelle[] = {
      {{{1, 2}, {2, 1}}},   // indefinite
      {{{-1, 0}, {0, 3}}},  // a maximum along one axis
      {{{1, 1}, {1, 1}}},   // singular
      {{{0, 0}, {0, 0}}},
  };
  for (const Matrix& H : faelle) {
    Matrix kov{};
    EXPECT_FALSE(KovarianzAusHesse(H, 2, kov));
  }
  Matrix nan{};
  nan[0][0] = std::nan("");
  Matrix kov{};
  EXPECT_FALSE(KovarianzAusHesse(nan, 1, kov));
}

TEST(Kruemmung, AFailedEvaluationMakesTheHessianUnavailable) {
  int aufrufe = 0;
  const Zielwert f = [&](const Parametervektor& v, double& y) {
    y = v[0] * v[0];
    return ++aufrufe < 3;
  };
  const std::array<std::uint32_t, 1> frei{0};
  const std::array<double, 1> h{1e-3};
  Matrix H{};
  EXPECT_FALSE(HesseMatrixBerechnen(f, Parametervektor{1}, frei, h, H));
}

TEST(Kruemmung, PoissonErrorIsTheAsymptoticOne) {
  // For the Poisson law the information of N counts is N/a, so the error of a is √(a/N) for
  // every efficient estimator; minimum X² is one. The tolerance allows for the finite sample.
  struct Fall {
    std::vector<double> f;
  };
  const Fall faelle[] = {
      {{109, 65, 22, 3, 1}},  // horse kicks, N = 200
      {{400, 380, 190, 60, 15, 4, 1}},
  };
  for (const Fall& fall : faelle) {
    auto a = test::EngineMit(fall.f);
    ASSERT_TRUE(a);
    const TVerteilung v = test::Mitglied(2);
    ASSERT_EQ(test::Anpassen(*a, v), status::kOk);
    const double schaetzung = a->BesterVektor()[0];
    const Parametervektor vorher = a->BesterVektor();
    const KruemmungsErgebnis k = KruemmungRechnen(*a);
    ASSERT_TRUE(k.Verfuegbar()) << KruemmungsgrundText(k.grund);
    EXPECT_EQ(k.parZahl, 1u);
    const double N = a->Daten().Statistik.summe;
    EXPECT_TRUE(Near(k.se[0], std::sqrt(schaetzung / N), 0.1));
    EXPECT_EQ(a->BesterVektor(), vorher);
  }
}

TEST(Kruemmung, NoFitNoErrors) {
  auto a = test::EngineMit(test::kMay);
  const KruemmungsErgebnis k = KruemmungRechnen(*a);
  EXPECT_EQ(k.grund, Kruemmungsgrund::kKeinErgebnis);
  EXPECT_FALSE(KruemmungsgrundText(k.grund).empty());
  EXPECT_TRUE(std::isnan(k.se[0]));
}

TEST(Kruemmung, WholeNumberParametersAreHeldAndOthersEstimated) {
  // Member 0 (binomial, n whole, p in (0, 1)) on binomial-like counts: n gets no error, p does;
  // with n held, p's information is N n / (p (1 - p)). Counts off the exact binomial ones: on
  // those X² stays at its floor of 0.0001 and has no curvature.
  auto a = test::EngineMit({22, 78, 118, 84, 18});
  ASSERT_TRUE(a);
  const TVerteilung v = test::Mitglied(0);
  ASSERT_EQ(test::Anpassen(*a, v), status::kOk);
  const KruemmungsErgebnis k = KruemmungRechnen(*a);
  ASSERT_TRUE(k.Verfuegbar()) << KruemmungsgrundText(k.grund);
  EXPECT_TRUE(std::isnan(k.se[0]));
  const double n = a->BesterVektor()[0], p = a->BesterVektor()[1];
  EXPECT_TRUE(Near(k.se[1], std::sqrt(p * (1 - p) / (320 * n)), 0.15));
}

}  // namespace
}  // namespace vk
