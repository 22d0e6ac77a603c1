// SPDX-License-Identifier: GPL-3.0-or-later
// Weighted Poisson forms, members 170 to 174: Conway-Maxwell-Poisson, the right-truncated
// hypergeometric type, Poisson with a changed tail, the right-truncated double-sum type and
// Neyman type A plus Poisson, each against its probabilities in long double (logarithms of
// factorials, the double sums as written, the compound as an explicit sum over cluster counts).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// Normalises log-terms t[0..J] (J >= L) by their largest and returns the classes 0..L.
std::vector<long double> AusLogTermen(const std::vector<long double>& t, std::uint32_t L) {
  const long double g = *std::max_element(t.begin(), t.end());
  long double s = 0;
  for (auto it = t.rbegin(); it != t.rend(); ++it) s += std::exp(*it - g);
  std::vector<long double> r(L + 1);
  for (std::uint32_t i = 0; i <= L; ++i) r[i] = std::exp(t[i] - g) / s;
  return r;
}

// Log-terms of an infinite support, summed until they have fallen 60 below their largest past
// the class L.
template <typename LogTerm>
std::vector<long double> Unendlich(std::uint32_t L, LogTerm logTerm) {
  std::vector<long double> t;
  long double g = -INFINITY;
  for (std::uint32_t j = 0;; ++j) {
    t.push_back(logTerm(static_cast<long double>(j)));
    g = std::max(g, t.back());
    if (j > L && t.back() < g - 60 && t.back() < t[j - 1]) break;
  }
  return AusLogTermen(t, L);
}

TEST(ConwayMaxwellSweep, ConwayMaxwellPoisson) {
  std::vector<SweepPunkt> punkte;
  for (std::uint32_t L : {0u, 5u, 40u, 1000u}) {
    for (const auto& p : Gitter({{0.01, 0.5, 0.999}, {0, 0.3, 1, 2.5}}, {}, L)) punkte.push_back(p);
    for (const auto& p : Gitter({{3, 50, 800}, {0.7, 1, 2.5, 6}}, {}, L)) punkte.push_back(p);
  }
  Sweep(170, punkte, Letzte::kRest, [](const SweepPunkt& p) {
    const long double lnL = std::log(static_cast<long double>(p.par[0]));
    const long double nu = p.par[1];
    return Unendlich(p.L, [&](long double j) { return j * lnL - nu * LogFak(j); });
  });
}

TEST(ConwayMaxwellSweep, HypergeometricTypeTruncated) {
  for (std::uint32_t L : {0u, 4u, 30u, 800u})
    Sweep(171, Gitter({{1, 3, 25, 2000}, {0.05, 1, 6.5, 400}, {0.01, 0.8, 5, 300}}, {}, L),
          Letzte::kPunkt, [](const SweepPunkt& p) {
            const long double n = p.par[0], b = p.par[1], a = p.par[2];
            std::vector<long double> t(p.L + 1, -INFINITY);
            for (std::uint32_t i = 0; i <= p.L && i <= n; ++i)
              t[i] = LogFak(n) - LogFak(n - i) + i * std::log(a) -
                     (std::lgamma(b + i) - std::lgamma(b));
            return AusLogTermen(t, p.L);
          });
}

TEST(ConwayMaxwellSweep, PoissonChangedTail) {
  for (std::uint32_t L : {0u, 3u, 25u, 700u})
    for (double wechsel : {1.0, 4.0, 30.0})
      // (A power b far below 1 with a large a puts the mode beyond a million terms, where the
      // series is given up as divergent: such points are left out.)
      for (const auto& gitter : {Gitter({{0.05, 2, 40}, {0.5, 1, 3}}, {wechsel}, L),
                                 Gitter({{600}, {1, 3}}, {wechsel}, L)})
        Sweep(172, gitter, Letzte::kRest, [](const SweepPunkt& p) {
          const long double a = p.par[0], b = p.par[1], m = p.fest[0];
          const long double lnA = std::log(a), lnM = std::log(m);
          return Unendlich(p.L, [&](long double i) {
            if (i <= m) return i * lnA - LogFak(i);
            return i * lnA - LogFak(m) - b * (LogFak(i) - LogFak(m)) - (1 - b) * (i - m) * lnM;
          });
        });
}

// The terms as written: the double sum S1 afresh for each class, the factorials in full.
std::vector<long double> DoppelsummenTerme(long double a, std::uint32_t L) {
  std::vector<long double> r(L + 1);
  for (std::uint32_t i = 0; i <= L; ++i) {
    if (i == 0) {
      r[i] = 1;
    } else if (i == 1) {
      r[i] = a;
    } else if (i == 2) {
      r[i] = a * a * (a + 2) / (2 * (a + 1));
    } else {
      long double s1 = 0, s2 = 0, fak = 1;
      for (std::uint32_t l = 1; l + 2 <= i; ++l)
        for (std::uint32_t o = 1; o + l + 1 <= i; ++o)
          s1 += std::pow(l + a, -static_cast<long double>(o));
      for (std::uint32_t l = 2; l + 1 <= i; ++l)
        s2 += std::pow(i + a - l, -static_cast<long double>(l));
      for (std::uint32_t k = 2; k < i; ++k) fak *= k;
      r[i] = std::pow(a, static_cast<long double>(i)) * (i + a) *
             (fak * s2 + (i - 1) / (i + a - 1) - s1) / (fak * i);
    }
  }
  return Normiert(r);
}

TEST(ConwayMaxwellSweep, DoubleSumTypeTruncated) {
  for (std::uint32_t L : {0u, 2u, 3u, 12u, 160u, 220u})
    Sweep(173, Gitter({{0.002, 0.3, 1, 4.5, 60}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) { return DoppelsummenTerme(p.par[0], p.L); });
}

// Neyman type A as a sum over the number of clusters n, convolved with the Poisson(c) count.
std::vector<long double> NeymanPlusPoisson(long double a, long double b, long double c,
                                           std::uint32_t L) {
  const auto nMax = static_cast<std::uint32_t>(a + 40 * std::sqrt(a + 1) + 60);
  std::vector<long double> na(L + 1, 0);
  for (std::uint32_t n = 0; n <= nMax; ++n) {
    const long double pn = PoissonL(a, n);
    for (std::uint32_t k = 0; k <= L; ++k)
      na[k] += n == 0 ? (k == 0 ? pn : 0) : pn * PoissonL(n * b, k);
  }
  std::vector<long double> r(L + 1, 0);
  for (std::uint32_t i = 0; i <= L; ++i)
    for (std::uint32_t k = 0; k <= i; ++k) r[i] += na[k] * PoissonL(c, i - k);
  return r;
}

TEST(ConwayMaxwellSweep, NeymanAPlusPoisson) {
  for (std::uint32_t L : {0u, 1u, 10u, 120u})
    Sweep(174, Gitter({{0.05, 2, 40}, {0.05, 1, 6}, {0.01, 1.5, 30}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) { return NeymanPlusPoisson(p.par[0], p.par[1], p.par[2], p.L); });
  // Where P(0) lies below the double range: many clusters, a large added count.
  Sweep(174, Gitter({{800}, {0.5, 3}, {1, 760}}, {}, 400), Letzte::kRest,
        [](const SweepPunkt& p) { return NeymanPlusPoisson(p.par[0], p.par[1], p.par[2], p.L); });
  // Clusters of more than 710 on average, where e^-b leaves the double range.
  Sweep(174, Gitter({{0.05, 2}, {900, 3000}, {0.5, 40}}, {}, 1200), Letzte::kRest,
        [](const SweepPunkt& p) { return NeymanPlusPoisson(p.par[0], p.par[1], p.par[2], p.L); });
}

}  // namespace
}  // namespace vk::test
