// SPDX-License-Identifier: GPL-3.0-or-later
// Hyper-Pascal (member 6) and the Poisson stopped sum of negative binomials (member 16) over
// their domains against long-double probabilities: the hyper-Pascal normaliser summed until it
// converges, the stopped sum as a Poisson mixture of negative binomials (the sum of j summands
// NB(k, c) being NB(j k, c)), an independent route from the member's convolution.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

TEST(PascalFamilySweep, HyperPascal) {
  const std::vector<double> km{1e-3, 0.7, 5, 60};
  for (std::uint32_t L : {2u, 30u, 300u})
    Sweep(6, Gitter({km, km, {1e-4, 0.3, 0.9, 0.999}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double k = p.par[0], m = p.par[1], q = p.par[2];
            const auto logTerm = [&](long double x) {
              return std::lgamma(k + x) - std::lgamma(k) - std::lgamma(m + x) + std::lgamma(m) +
                     x * std::log(q);
            };
            long double S = 0, t = 1;
            for (std::uint32_t x = 0; x < 10'000'000; ++x) {
              S += t;
              const long double ratio = (x + k) * q / (x + m);
              t *= ratio;
              if (ratio < 1 && t < S * 1e-22L) break;
            }
            std::vector<long double> r(p.L + 1);
            for (std::uint32_t x = 0; x <= p.L; ++x) r[x] = std::exp(logTerm(x)) / S;
            return r;
          });
}

TEST(PascalFamilySweep, PoissonStoppedNegativeBinomial) {
  for (std::uint32_t L : {2u, 30u, 200u})
    Sweep(16,
          Gitter({{1e-3, 0.5, 4, 40, 300}, {1e-3, 0.5, 2, 30}, {1e-3, 0.1, 0.5, 0.95, 0.9999}}, {},
                 L),
          Letzte::kRest, [](const SweepPunkt& p) {
            const long double lambda = p.par[0], k = p.par[1], c = p.par[2];
            const auto J = static_cast<std::uint32_t>(lambda + 40 * std::sqrt(lambda) + 60);
            std::vector<long double> r(p.L + 1, 0.0L);
            for (std::uint32_t j = 0; j <= J; ++j) {
              const long double logPois = -lambda + j * std::log(lambda) - std::lgamma(j + 1.0L);
              if (j == 0) {
                r[0] += std::exp(logPois);
                continue;
              }
              const long double jk = j * k;
              for (std::uint32_t x = 0; x <= p.L; ++x)
                r[x] += std::exp(logPois + std::lgamma(jk + x) - std::lgamma(jk) -
                                 std::lgamma(x + 1.0L) + jk * std::log(c) + x * std::log1p(-c));
            }
            return r;
          });
}

}  // namespace
}  // namespace vk::test
