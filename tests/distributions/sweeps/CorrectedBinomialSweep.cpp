// SPDX-License-Identifier: GPL-3.0-or-later
// Members 195, 199, 200 and 201, built on binomial terms, over their domains against
// long-double probabilities: the urn chain (195) by the whole table of successes and trials,
// the pair-weighted binomial (199) and the corrected binomial (200) term by term through lgamma
// (n up to thousands, where B(0) underflows and a^(n-1) overflows), member 201 with its sum in
// closed form.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// T[j][n] from the (n + 1) x (n + 1) table, one full row of trials after the other, for
// j = 0..L; beyond n the probability is 0.
std::vector<long double> UrnKette(long double a, long double p, std::uint32_t n, std::uint32_t L) {
  std::vector<std::vector<long double>> T(n + 1, std::vector<long double>(n + 1, 0.0L));
  const auto h = [&](std::uint32_t j) { return p / (j * a + 1); };
  T[0][0] = 1;
  for (std::uint32_t i = 1; i <= n; ++i) {
    T[0][i] = std::pow(std::fabs(1 - p), static_cast<long double>(i));
    for (std::uint32_t j = 1; j < i; ++j)
      T[j][i] = (1 - h(j)) * T[j][i - 1] + h(j - 1) * T[j - 1][i - 1];
    T[i][i] = h(i - 1) * T[i - 1][i - 1];
  }
  std::vector<long double> r(L + 1, 0.0L);
  for (std::uint32_t j = 0; j <= std::min(n, L); ++j) r[j] = T[j][n];
  return r;
}

long double LogB(long double n, long double p, long double x) {
  return LogBinomL(n, x) + x * std::log(p) + (n - x) * std::log1p(-p);
}

TEST(CorrectedBinomialSweep, UrnChainWithDampedSuccesses) {
  for (std::uint32_t L : {1u, 2u, 30u, 150u})
    for (std::uint32_t n : {L, L + 7, 400u})
      Sweep(195, Gitter({{0, 0.05, 1, 30}, {1e-4, 0.3, 0.9, 0.9999}}, {double(n)}, L),
            Letzte::kRest,
            [n](const SweepPunkt& p) { return UrnKette(p.par[0], p.par[1], n, p.L); });
}

TEST(CorrectedBinomialSweep, PairWeightedBinomial) {
  for (std::uint32_t L : {1u, 2u, 30u, 700u})
    for (std::uint32_t n : {L, L + 5})
      Sweep(199, Gitter({{0.5, 0.95, 1, 1.05, 3}, {1e-3, 0.4, 0.95}}, {double(n)}, L),
            Letzte::kPunkt, [n](const SweepPunkt& p) {
              const long double a = p.par[0], q = p.par[1];
              std::vector<long double> lg(p.L + 1);
              for (std::uint32_t x = 0; x <= p.L; ++x)
                lg[x] = LogB(n, q, x) + static_cast<long double>(x) * (n - x) * std::log(a);
              const long double mx = *std::max_element(lg.begin(), lg.end());
              for (long double& v : lg) v = std::exp(v - mx);
              return Normiert(lg);
            });
}

TEST(CorrectedBinomialSweep, BinomialWithSecondOrderCorrection) {
  for (std::uint32_t L : {2u, 3u, 30u, 2000u})
    for (std::uint32_t n : {L, L + 6})
      for (double pp : {0.02, 0.3, 0.5, 0.8, 0.999}) {
        const double c = std::min(pp / (1 - pp), (1 - pp) / pp);
        const double unten = -2 * c / (double(n) * (n - 1));
        const double oben = 2 / ((1 - 2 * pp) * (1 - 2 * pp) / (4 * pp * (1 - pp)) + n);
        Sweep(200, Gitter({{unten * 0.999, 0, oben * 0.999}, {pp}}, {double(n)}, L), Letzte::kRest,
              [n](const SweepPunkt& p) {
                const long double a = p.par[0], q = p.par[1];
                return Terme(p, [&](long double j) {
                  return std::exp(LogB(n, q, j)) *
                         (1 + a / 2 *
                                  (j * (j - 1) / q + (n - j) * (n - j - 1) / (1 - q) -
                                   static_cast<long double>(n) * (n - 1)));
                });
              });
      }
}

// s_j = T_w C(w, j) (p0)_j (c - 1)^j / (g)_j and the binomial weight, both through lgamma. The
// terms T_w come from the leading terms of ln Gamma only, so the classes need not sum to 1: the
// last class is |1 - the others| as the member's tail rule writes it.
TEST(CorrectedBinomialSweep, BinomialGammaRatioSum) {
  for (std::uint32_t L : {1u, 5u, 30u})
    for (std::uint32_t x0 : {0u, 3u})
      for (double cc : {1.5, 2.0, 10.0})
        Sweep(201, Gitter({{0.5, 2, 10}, {0.5, 3, 20}, {0}}, {cc}, L, x0), Letzte::kPunkt,
              [](const SweepPunkt& p) {
                const long double p0 = p.par[0], p1 = p.par[1], c = p.fest[0];
                const long double m = p.x0 + p.L;
                const auto lam = [](long double z) { return (z - 0.5L) * std::log(z); };
                const auto term = [&](long double w) {
                  const long double g = p0 + p1 + m - w;
                  const long double T =
                      std::exp(lam(p0 + p1) + lam(std::fabs(m + p1 - w)) - lam(p1) - lam(g));
                  long double reihe = 0;
                  for (long double j = 0; j <= w; ++j)
                    reihe += std::exp(LogBinomL(w, j) + std::lgamma(p0 + j) - std::lgamma(p0) +
                                      std::lgamma(g) - std::lgamma(g + j) + j * std::log(c - 1));
                  return T * reihe *
                         std::exp(LogBinomL(m, w) + m * std::log1p(-1 / c) - w * std::log(c - 1));
                };
                // The approximate terms sum to about 1.01 to 1.06 over the support 0..m: the law
                // is their share of that sum.
                long double S = 0;
                for (long double w = 0; w <= m; ++w) S += term(w);
                auto r = Terme(p, [&](long double w) { return term(w) / S; });
                long double unterL = 0;
                for (std::uint32_t w = 0; w < p.L; ++w) unterL += r[w];
                r[p.L] = std::fabs(1 - unterL);
                return r;
              });
}

}  // namespace
}  // namespace vk::test
