// SPDX-License-Identifier: GPL-3.0-or-later
// Mixtures of uniform distributions on 0..v-1 (members 75 to 80) against their definition
// P(x) = sum_{v>x} w(v)/v summed directly in long double: mixing values from nearly degenerate
// to long-tailed, the binomial's n below, at and above the last class.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// P(x) = sum_{v=x+1}^{bis} w(v)/v / D for x = 0..L; the sum taken from the top, so that no class
// is a difference.
template <typename Gewicht>
std::vector<long double> Mischung(std::uint32_t L, std::uint32_t bis, long double D, Gewicht w) {
  std::vector<long double> P(L + 1, 0);
  long double T = 0;
  for (std::uint32_t v = bis; v >= 1; --v) {
    T += w(v) / v;
    if (v - 1 <= L) P[v - 1] = T / D;
  }
  return P;
}

// Where the terms have dropped below e^-60 of the smallest class the sum feeds, the term of
// v = ab + 1, and of the largest term.
std::uint32_t Ende(auto logw, std::uint32_t ab) {
  const long double letzte = logw(ab + 1);
  long double groesste = letzte;
  for (std::uint32_t v = 1;; ++v) {
    const long double l = logw(v);
    if (l > groesste) groesste = l;
    if (v > ab + 1 && l < letzte - 60 && l < groesste - 60) return v;
  }
}

long double LogBinomialW(long double n, long double p, std::uint32_t v) {
  if (v > n) return -1e4000L;
  return LogBinomL(n, v) + v * std::log(p) + (n - v) * std::log1p(-p);
}

TEST(UniformMixtureSweep, BinomialMixingValue) {
  for (std::uint32_t L : {1u, 10u, 60u})
    Sweep(75, Gitter({{1, 2, 10, 60}, {1e-3, 0.3, 0.9, 0.999}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double n = p.par[0], q = p.par[1];
            // The mixing values run to n, also where n lies above the last class.
            return Mischung(p.L, static_cast<std::uint32_t>(n), -std::expm1(n * std::log1p(-q)),
                            [&](std::uint32_t v) { return std::exp(LogBinomialW(n, q, v)); });
          });
  for (double nFest : {1.0, 5.0, 30.0, 200.0})
    for (std::uint32_t L : {3u, 20u})
      Sweep(76, Gitter({{1e-3, 0.4, 0.95}}, {nFest}, L), Letzte::kRest, [](const SweepPunkt& p) {
        const long double n = p.fest[0], q = p.par[0];
        return Mischung(p.L, static_cast<std::uint32_t>(n), -std::expm1(n * std::log1p(-q)),
                        [&](std::uint32_t v) { return std::exp(LogBinomialW(n, q, v)); });
      });
  for (double pFest : {0.01, 0.5, 0.99})
    Sweep(77, Gitter({{1, 5, 30}}, {pFest}, 20), Letzte::kRest, [](const SweepPunkt& p) {
      const long double n = p.par[0], q = p.fest[0];
      return Mischung(p.L, static_cast<std::uint32_t>(n), -std::expm1(n * std::log1p(-q)),
                      [&](std::uint32_t v) { return std::exp(LogBinomialW(n, q, v)); });
    });
}

TEST(UniformMixtureSweep, GeometricPoissonAndNegativeBinomialMixingValues) {
  for (std::uint32_t L : {1u, 10u, 300u})
    Sweep(
        78, Gitter({{1e-4, 1e-3, 0.2, 0.7, 0.999}}, {}, L), Letzte::kRest, [](const SweepPunkt& p) {
          const long double t = p.par[0];
          const auto logw = [&](std::uint32_t v) { return std::log(t) + (v - 1) * std::log1p(-t); };
          return Mischung(p.L, Ende(logw, p.L), 1,
                          [&](std::uint32_t v) { return std::exp(logw(v)); });
        });
  for (std::uint32_t L : {1u, 10u, 100u})
    Sweep(79, Gitter({{1e-3, 0.5, 4, 40, 300}}, {}, L), Letzte::kRest, [](const SweepPunkt& p) {
      const long double a = p.par[0];
      const auto logw = [&](std::uint32_t v) { return v * std::log(a) - LogFak(v); };
      return Mischung(p.L, Ende(logw, p.L), std::expm1(a),
                      [&](std::uint32_t v) { return std::exp(logw(v)); });
    });
  for (std::uint32_t L : {1u, 10u, 80u})
    Sweep(80, Gitter({{0.05, 1, 2.5, 30}, {0.01, 0.4, 0.95}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double s = p.par[0], q = p.par[1];
            const auto logw = [&](std::uint32_t v) {
              return std::lgamma(s + v) - std::lgamma(s) - LogFak(v) + s * std::log(q) +
                     v * std::log1p(-q);
            };
            return Mischung(p.L, Ende(logw, p.L), -std::expm1(s * std::log(q)),
                            [&](std::uint32_t v) { return std::exp(logw(v)); });
          });
}

}  // namespace
}  // namespace vk::test
