// SPDX-License-Identifier: GPL-3.0-or-later
// Poisson stopped sums among members 196 to 198 and the Poisson terms with a geometric tail
// (204) over their domains against long-double probabilities: the generalized Hermite as the
// convolution of a Poisson count with m times a Poisson count, member 196 as the convolution of
// two Neyman type A counts, member 204 term by term. Means up to a few thousand put e^-(a+b)
// below the double range.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// P(x) = sum_k Po(x - m k; a) Po(k; b): the Poisson(a) count plus m times a Poisson(b) count.
std::vector<long double> GenHermite(long double a, long double b, std::uint32_t m,
                                    std::uint32_t L) {
  std::vector<long double> pa(L + 1), pb(L + 1), r(L + 1, 0.0L);
  for (std::uint32_t x = 0; x <= L; ++x) {
    pa[x] = PoissonL(a, x);
    pb[x] = PoissonL(b, x);
  }
  for (std::uint32_t x = 0; x <= L; ++x)
    for (std::uint32_t k = 0; k * m <= x; ++k) r[x] += pa[x - m * k] * pb[k];
  return r;
}

// Neyman type A: sum_k Po(k; lambda) Po(x; k mu), k up to far beyond the mass of Poisson(lambda)
// (the factor Po(x; k mu) shifts the weight by at most a few x).
std::vector<long double> NeymanA(long double lambda, long double mu, std::uint32_t L) {
  std::vector<long double> r(L + 1, 0.0L);
  const auto K = static_cast<std::uint32_t>(lambda + 40 * std::sqrt(lambda) + 4 * L + 100);
  for (std::uint32_t x = 0; x <= L; ++x) {
    r[x] = x == 0 ? std::exp(-lambda) : 0.0L;
    for (std::uint32_t k = 1; k <= K; ++k) r[x] += PoissonL(lambda, k) * PoissonL(k * mu, x);
  }
  return r;
}

std::vector<long double> Faltung(const std::vector<long double>& u,
                                 const std::vector<long double>& v) {
  std::vector<long double> r(u.size(), 0.0L);
  for (std::size_t x = 0; x < u.size(); ++x)
    for (std::size_t j = 0; j <= x; ++j) r[x] += u[j] * v[x - j];
  return r;
}

TEST(GeneralizedHermiteSweep, GeneralizedHermite) {
  const std::vector<double> a{1e-3, 0.5, 5, 60, 800};
  const std::vector<double> b{1e-3, 0.7, 20, 900};
  for (std::uint32_t L : {1u, 3u, 40u, 2500u})
    for (double m : {1.0, 2.0, 5.0, 40.0}) {
      const auto ref = [](const SweepPunkt& p) {
        return GenHermite(p.par[0], p.par[1], static_cast<std::uint32_t>(p.par[2]), p.L);
      };
      Sweep(197, Gitter({a, b, {m}}, {}, L), Letzte::kRest, ref);
      Sweep(198, Gitter({a, b}, {m}, L), Letzte::kRest, [m](const SweepPunkt& p) {
        return GenHermite(p.par[0], p.par[1], static_cast<std::uint32_t>(m), p.L);
      });
    }
}

TEST(GeneralizedHermiteSweep, PoissonStoppedSumOfMixedPoisson) {
  for (std::uint32_t L : {1u, 2u, 40u})
    for (double mm : {0.5, 1.0, 3.0})
      Sweep(196, Gitter({{1e-3, 1, 30, 400}, {0.01, 1, 10}, {1e-4, 0.3, 0.9999}}, {mm}, L),
            Letzte::kRest, [](const SweepPunkt& p) {
              const long double lambda = p.par[0], b = p.par[1], w = p.par[2], m = p.fest[0];
              return Faltung(NeymanA(lambda, b * w, p.L),
                             NeymanA(lambda * m, (1 - w) * b / m, p.L));
            });
}

TEST(GeneralizedHermiteSweep, PoissonTermsWithGeometricTail) {
  for (std::uint32_t L : {1u, 5u, 40u, 900u})
    for (double mm : {1.0, 4.0, 30.0, 700.0})
      for (double aa : {0.1, 0.5 * mm, 0.999 * mm})
        Sweep(204, Gitter({{aa}, {0, 0.5, 20, 300}}, {mm}, L), Letzte::kRest,
              [](const SweepPunkt& p) {
                const long double a = p.par[0], c = p.par[0] + p.par[1], m = p.fest[0];
                const auto mi = static_cast<std::uint32_t>(m);
                long double S = 0;
                for (std::uint32_t x = 0; x <= mi; ++x)
                  S += std::exp(x * std::log(c) - LogFak(x) - c);
                const long double h = std::exp(mi * std::log(c) - LogFak(mi) - c) / S;
                const long double K = (m - a) / (m - a + a * h);
                return Klassen(p, [&](std::uint32_t x) -> long double {
                  if (x <= mi) return K * std::exp(x * std::log(c) - LogFak(x) - c) / S;
                  return h * K * std::pow(a / m, static_cast<long double>(x - mi));
                });
              });
}

}  // namespace
}  // namespace vk::test
