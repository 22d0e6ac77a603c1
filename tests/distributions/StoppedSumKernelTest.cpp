// SPDX-License-Identifier: GPL-3.0-or-later
// The stopped-sum kernel for each of its four numbers of summands against the compound
// definition summed in long double: P(x) = sum_r P(K = r) P(Y_1 + ... + Y_r = x), with summands
// whose r-fold sums have closed forms (Poisson, binomial, geometric). Includes first classes far
// below the double range, where the kernel carries the classes scaled.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/FpFault.h"
#include "distributions/members/GestoppteSumme.h"
#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

using members::gestoppt::Anzahl;
using members::gestoppt::Art;
using members::gestoppt::Summand;

long double NegBinL(long double r, long double c, long double k) {
  if (r == 0) return k == 0 ? 1 : 0;
  return std::exp(std::lgamma(r + k) - std::lgamma(r) - std::lgamma(k + 1) + r * std::log(c) +
                  k * std::log1p(-c));
}

long double BinomL(long double n, long double p, long double k) {
  if (k > n) return 0;
  if (p == 1) return k == n ? 1 : 0;
  return std::exp(LogBinomL(n, k) + k * std::log(p) + (n - k) * std::log1p(-p));
}

struct Fall {
  std::string name;
  Anzahl q;
  std::function<long double(std::uint32_t r)> anzahl;  // P(K = r)
  std::uint32_t rMax;
  Summand g;
  std::function<long double(std::uint32_t j)> verhaeltnis;             // g_j/g_(j-1), j >= 2
  std::function<long double(std::uint32_t r, std::uint32_t x)> summe;  // P(Y_1 + .. + Y_r = x)
  std::uint32_t L;
};

Summand PoissonSummand(long double a) {
  return {std::exp(-a), -std::expm1(-a), a * std::exp(-a)};
}

void Pruefen(const Fall& c) {
  SCOPED_TRACE(c.name);
  constexpr double N = 1000;
  TStatistik s;
  s.summe = N;
  s.n = c.L;
  const KlassenHaeufigkeiten f{};
  const auto x = Werte(0);
  const TParameterEigenschaften eig{};
  const Eingaben in{s, f, *x, eig};
  auto NP = std::make_unique<Erwartungswerte>();
  FpFaultScope scope;
  members::gestoppt::Berechnen(in, *NP, c.q, c.g, c.verhaeltnis);
  EXPECT_FALSE(scope.Faulted());
  long double unter = 0;
  for (std::uint32_t i = 0; i < c.L; ++i) {
    long double p = 0;
    for (std::uint32_t r = 0; r <= c.rMax; ++r) p += c.anzahl(r) * c.summe(r, i);
    unter += (*NP)[i];
    if (p > 1e-300L)
      EXPECT_NEAR((*NP)[i] / (N * p), 1, kSeries) << "class " << i;
    else
      EXPECT_LE((*NP)[i], 1e-290) << "class " << i;
    EXPECT_GE((*NP)[i], 0) << "class " << i;
  }
  EXPECT_NEAR((*NP)[c.L], std::fabs(N - unter), kTight * N);
}

TEST(StoppedSumKernel, AgreesWithTheCompoundDefinition) {
  const auto poisson = [](long double l) {
    return [l](std::uint32_t r) { return r == 0 ? std::exp(-l) : PoissonL(l, r); };
  };
  const auto poissonSumme = [](long double a) {
    return [a](std::uint32_t r, std::uint32_t x) {
      if (r == 0) return x == 0 ? 1.0L : 0.0L;
      const long double ra = r * a;
      return x == 0 ? std::exp(-ra) : PoissonL(ra, x);
    };
  };
  const auto poissonVerhaeltnis = [](long double a) {
    return [a](std::uint32_t j) { return a / j; };
  };
  const Fall faelle[] = {
      {"Neyman type A",
       {Art::kPoisson, 2.5, 0},
       poisson(2.5),
       60,
       PoissonSummand(1.5),
       poissonVerhaeltnis(1.5),
       poissonSumme(1.5),
       25},
      {"Neyman type A, small summand mean",
       {Art::kPoisson, 4, 0},
       poisson(4),
       60,
       PoissonSummand(1e-6),
       poissonVerhaeltnis(1e-6),
       poissonSumme(1e-6),
       6},
      // e^(-1200 (1 - e^-1)) is about 1e-330: the first class is carried scaled.
      {"Neyman type A, first class below the double range",
       {Art::kPoisson, 1200, 0},
       poisson(1200),
       4000,
       PoissonSummand(1),
       poissonVerhaeltnis(1),
       poissonSumme(1),
       120},
      {"binomial of binomials",
       {Art::kBinomial, 3, 0.4},
       [](std::uint32_t r) { return BinomL(3, 0.4L, r); },
       3,
       {BinomL(2, 0.3L, 0), 1 - BinomL(2, 0.3L, 0), BinomL(2, 0.3L, 1), 2},
       [](std::uint32_t j) { return (2.0L - j + 1) * 0.3L / (j * 0.7L); },
       [](std::uint32_t r, std::uint32_t x) { return BinomL(2 * r, 0.3L, x); },
       10},
      {"binomial of Poissons",
       {Art::kBinomial, 5, 0.7},
       [](std::uint32_t r) { return BinomL(5, 0.7L, r); },
       5,
       PoissonSummand(2),
       poissonVerhaeltnis(2),
       poissonSumme(2),
       30},
      {"negative binomial of geometrics",
       {Art::kNegativBinomial, 2.5, 0.4},
       [](std::uint32_t r) { return NegBinL(2.5L, 0.4L, r); },
       3000,
       {0.6L, 0.4L, 0.6L * 0.4L},
       [](std::uint32_t) { return 0.4L; },
       [](std::uint32_t r, std::uint32_t x) { return NegBinL(r, 0.6L, x); },
       40},
      {"negative binomial of Poissons, far from zero",
       {Art::kNegativBinomial, 900, 0.5},
       [](std::uint32_t r) { return NegBinL(900, 0.5L, r); },
       4000,
       PoissonSummand(3),
       poissonVerhaeltnis(3),
       poissonSumme(3),
       60},
      {"geometric of Poissons",
       {Art::kGeometrisch, 0, 0.3},
       [](std::uint32_t r) { return 0.3L * std::pow(0.7L, r); },
       400,
       PoissonSummand(0.8),
       poissonVerhaeltnis(0.8),
       poissonSumme(0.8),
       30},
  };
  for (const Fall& c : faelle) Pruefen(c);
}

}  // namespace
}  // namespace vk::test
