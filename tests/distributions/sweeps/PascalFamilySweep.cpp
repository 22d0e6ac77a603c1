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
  // q = 0.9999 with k = 60 puts the mode near 6e5 and needs more terms than the normaliser
  // allows beyond L + 100 (a failed evaluation by design); it is swept with k up to 5.
  std::vector<SweepPunkt> punkte;
  for (std::uint32_t L : {2u, 30u, 300u}) {
    for (const SweepPunkt& p : Gitter({km, km, {1e-4, 0.3, 0.9, 0.999}}, {}, L))
      punkte.push_back(p);
    for (const SweepPunkt& p : Gitter({{1e-3, 0.7, 5}, km, {0.9999}}, {}, L)) punkte.push_back(p);
  }
  // Terms beyond the double range within the first L + 100.
  punkte.push_back({{200, 0.7, 0.99}, {}, 3000});
  Sweep(6, punkte, Letzte::kRest, [](const SweepPunkt& p) {
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

// Poisson(lambda) weights times NB(j k, c), j = 0, 1, ... until (beyond the mean) a term adds
// less than 1e-22 to every class that is not itself negligible.
std::vector<long double> PoissonGestoppt(const SweepPunkt& p) {
  const long double lambda = p.par[0], k = p.par[1], c = p.par[2];
  std::vector<long double> logFak(p.L + 1);
  for (std::uint32_t x = 0; x <= p.L; ++x) logFak[x] = std::lgamma(x + 1.0L);
  std::vector<long double> r(p.L + 1, 0.0L);
  r[0] = std::exp(-lambda);
  for (std::uint32_t j = 1; j < 1'000'000; ++j) {
    const long double logPois = -lambda + j * std::log(lambda) - std::lgamma(j + 1.0L);
    const long double jk = j * k;
    const long double lgJk = std::lgamma(jk);
    long double anteil = 0;
    long double lgJkx = lgJk;  // lgamma(jk + x), stepped up by log(jk + x)
    for (std::uint32_t x = 0; x <= p.L; ++x) {
      const long double t =
          std::exp(logPois + lgJkx - lgJk - logFak[x] + jk * std::log(c) + x * std::log1p(-c));
      lgJkx += std::log(jk + x);
      r[x] += t;
      if (r[x] > 1e-310L) anteil = std::fmax(anteil, t / r[x]);
    }
    if (j > lambda && anteil < 1e-22L) break;
  }
  return r;
}

TEST(PascalFamilySweep, PoissonStoppedNegativeBinomial) {
  for (std::uint32_t L : {2u, 30u, 200u})
    Sweep(16,
          Gitter({{1e-3, 0.5, 4, 40, 300}, {1e-3, 0.5, 2, 30}, {1e-3, 0.1, 0.5, 0.95, 0.9999}}, {},
                 L),
          Letzte::kRest, PoissonGestoppt);
  // e^-lambda(1 - c^k) below the normal range, the mode near 2700.
  Sweep(16, Gitter({{800}, {30}, {0.9}}, {}, 3000), Letzte::kRest, PoissonGestoppt);
}

}  // namespace
}  // namespace vk::test
