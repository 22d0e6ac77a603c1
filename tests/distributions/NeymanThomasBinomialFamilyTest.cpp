// SPDX-License-Identifier: GPL-3.0-or-later
// Stopped sums 118 to 125 (Neyman type A, Thomas, Poisson-binomial, binomial-Poisson, negative
// binomial-Poisson, binomial-binomial): the special cases that reduce to one distribution, the
// probabilities as the coefficients of the generating function, the repairs of 125 and
// estimates on exact data.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"

namespace vk::test {
namespace {

using Komplex = std::complex<long double>;

double Pois(double a, double x) {
  return std::exp(-a + x * std::log(a) - std::lgamma(x + 1));
}
double Bin(double n, double p, double x) {
  return x > n ? 0 : std::exp(LogBinomial(n, x) + x * std::log(p) + (n - x) * std::log1p(-p));
}

TEST(NeymanThomasBinomialFamily, ReduceToOneDistribution) {
  // One trial per summand: a Poisson(lambda p).
  MitReferenzVergleichen("120, n = 1", 120, {3, 0.4}, {1}, 1000, 20, 0, Letzte::kRest,
                         [](std::uint32_t x) { return Pois(1.2, x); });
  // One summand for certain: a Poisson(a).
  MitReferenzVergleichen("122, m = 1, pi = 1", 122, {2.5, 1}, {1}, 1000, 20, 0, Letzte::kRest,
                         [](std::uint32_t x) { return Pois(2.5, x); });
  // Bernoulli summands: a binomial(m, pi p); nothing beyond m.
  MitReferenzVergleichen("125, n = 1", 125, {0.6, 0.7}, {1, 8}, 1000, 12, 0, Letzte::kRest,
                         [](std::uint32_t x) { return Bin(8, 0.42, x); });
  // m = 1 is a mixture of 0 and one Poisson summand.
  MitReferenzVergleichen("123, m = 1", 123, {1.5, 1, 0.3}, {}, 1000, 15, 0, Letzte::kRest,
                         [](std::uint32_t x) { return (x == 0 ? 0.7 : 0) + 0.3 * Pois(1.5, x); });
}

// The coefficients of a probability generating function G by the discrete Cauchy integral over
// K points of the unit circle: P(x) = 1/K sum_j G(w^j) w^(-j x), w = e^(2 pi i / K); exact up
// to the aliased mass P(x + K) + P(x + 2K) + ..., far below the tolerance here.
std::vector<long double> Koeffizienten(const std::function<Komplex(Komplex)>& G, std::uint32_t L) {
  constexpr std::uint32_t K = 512;
  std::vector<Komplex> werte(K);
  for (std::uint32_t j = 0; j < K; ++j)
    werte[j] = G(std::polar(1.0L, 2 * std::numbers::pi_v<long double> * j / K));
  std::vector<long double> p(L + 1);
  for (std::uint32_t x = 0; x <= L; ++x) {
    Komplex s = 0;
    for (std::uint32_t j = 0; j < K; ++j)
      s += werte[j] * std::polar(1.0L, -2 * std::numbers::pi_v<long double> * j * x / K);
    p[x] = s.real() / K;
  }
  return p;
}

TEST(NeymanThomasBinomialFamily, CoefficientsOfTheGeneratingFunction) {
  struct Fall {
    const char* name;
    std::uint32_t nummer;
    Parametervektor par;
    Fest fest;
    std::function<Komplex(Komplex)> G;
  };
  const Komplex eins = 1;
  const Fall faelle[] = {
      {"Neyman type A",
       118,
       {1.2, 2.5},
       {},
       [&](Komplex s) { return std::exp(2.5L * (std::exp(1.2L * (s - eins)) - eins)); }},
      {"Thomas",
       119,
       {2, 0.7},
       {},
       [&](Komplex s) { return std::exp(2.0L * (s * std::exp(0.7L * (s - eins)) - eins)); }},
      {"Poisson-binomial",
       121,
       {1.5, 4, 0.3},
       {},
       [&](Komplex s) { return std::exp(1.5L * (std::pow(0.7L + 0.3L * s, 4) - eins)); }},
      {"binomial-Poisson",
       122,
       {1.8, 0.6},
       {5},
       [&](Komplex s) { return std::pow(0.4L + 0.6L * std::exp(1.8L * (s - eins)), 5); }},
      {"negative binomial-Poisson",
       124,
       {1.7, 1.3, 0.45},
       {},
       [&](Komplex s) {
         return std::pow(0.45L / (eins - 0.55L * std::exp(1.3L * (s - eins))), 1.7L);
       }},
      {"binomial-binomial",
       125,
       {0.35, 0.6},
       {3, 4},
       [&](Komplex s) { return std::pow(0.65L + 0.35L * std::pow(0.4L + 0.6L * s, 3), 4); }},
  };
  constexpr std::uint32_t L = 14;
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.name);
    Parametervektor par = c.par;
    const Lauf l = Auswerten(c.nummer, par, c.fest, L, 0, 1000);
    EXPECT_FALSE(l.fehler);
    const std::vector<long double> p = Koeffizienten(c.G, L);
    long double unter = 0;
    for (std::uint32_t x = 0; x < L; ++x) {
      unter += p[x];
      EXPECT_NEAR((*l.NP)[x], 1000 * p[x], kTight * 1000 + 1e-9 * 1000 * p[x]) << "x=" << x;
    }
    EXPECT_NEAR((*l.NP)[L], 1000 * (1 - unter), kLogRoute) << "tail";
  }
}

// pi above 1 becomes 0.9, p above 1 becomes 0.91, both written back.
TEST(NeymanThomasBinomialFamily, BinomialBinomialRepairs) {
  const auto lauf = Auswerten1(125, {1.5, 1.2}, {2, 3}, 8);
  EXPECT_FALSE(lauf.fehler);
  EXPECT_EQ(lauf.par[0], 0.9);
  EXPECT_EQ(lauf.par[1], 0.91);
  MitReferenzVergleichen("repaired", 125, {0.9, 0.91}, {2, 3}, 1000, 8, 0, Letzte::kRest,
                         [](std::uint32_t x) {
                           double s = 0;
                           for (int r = 0; r <= 3; ++r) s += Bin(3, 0.9, r) * Bin(2 * r, 0.91, x);
                           return s;
                         });
}

// A negative number of trials is no binomial summand: a failed evaluation.
TEST(NeymanThomasBinomialFamily, NegativeNumberOfTrialsFails) {
  Parametervektor par{2, 0.4};
  EXPECT_TRUE(Auswerten(120, par, {-2}, 10).fehler);
  Parametervektor par2{0.4, 0.3};
  EXPECT_TRUE(Auswerten(125, par2, {-1, 3}, 10).fehler);
}

TEST(NeymanThomasBinomialFamily, EstimatesOnExactData) {
  const double a = 1.4, b = 2.2, lambda = 2.5, p = 0.3, pi = 0.45;
  const auto neymanA = [&](double x) {
    double s = 0;
    for (int r = 0; r < 200; ++r) s += Pois(b, r) * (r == 0 ? (x == 0) : Pois(r * a, x));
    return s;
  };
  const SlotFall faelle[] = {
      // Moments: a = m2/M - 1, b = M/a; the iteration on the zero class to its tolerance.
      {"Neyman type A", 118, {}, 0, 80, neymanA, Letzte::kRest, {{0, a}, {50, b}}},
      {"Neyman type A, iterated", 118, {}, 0, 80, neymanA, Letzte::kRest, {{1, a}, {51, b}}, 2e-3},
      {"Poisson-binomial",
       120,
       {4},
       0,
       80,
       [&](double x) {
         double s = 0;
         for (int r = 0; r < 200; ++r) s += Pois(lambda, r) * Bin(4 * r, p, x);
         return s;
       },
       Letzte::kRest,
       {{0, lambda}, {50, p}}},
      {"binomial-binomial",
       125,
       {3, 6},
       0,
       18,
       [&](double x) {
         double s = 0;
         for (int r = 0; r <= 6; ++r) s += Bin(6, pi, r) * Bin(3 * r, p, x);
         return s;
       },
       Letzte::kRest,
       {{0, pi}, {1, p}}},
  };
  for (const SlotFall& f : faelle) SlotsPruefen(f);
}

}  // namespace
}  // namespace vk::test
