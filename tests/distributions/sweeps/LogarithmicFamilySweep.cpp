// SPDX-License-Identifier: GPL-3.0-or-later
// Logarithmic-type members (35, 36) over their domains against long-double probabilities: ratios
// near 0 and 1, exponents of both signs, tails far beyond the last class.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// b^v / v^a over v = 1, 2, ..., the normaliser summed until the terms past the mode no longer
// count.
TEST(LogarithmicFamilySweep, Good) {
  for (std::uint32_t L : {0u, 2u, 30u, 500u})
    Sweep(35, Gitter({{-3, 0, 0.5, 2, 8}, {1e-3, 0.3, 0.9, 0.999}}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& s) {
            const long double a = s.par[0], b = s.par[1];
            const auto term = [&](long double v) {
              return std::exp(v * std::log(b) - a * std::log(v));
            };
            const long double gipfel = std::fmax(1, -a / std::log(b));
            long double S = 0;
            for (long double v = 1; v < 1e8L; ++v) {
              const long double t = term(v);
              S += t;
              if (v > gipfel && t < 1e-25L * S) break;
            }
            std::vector<long double> r(s.L + 1);
            for (std::uint32_t i = 0; i <= s.L; ++i) r[i] = term(i + 1.0L) / S;
            return r;
          });
}

// p^(x+1)/(x (x + 1) D), D = p + (1 - p) ln(1 - p) = sum_{k >= 2} p^k/(k (k - 1)).
TEST(LogarithmicFamilySweep, LogarithmicHarmonic) {
  for (std::uint32_t L : {0u, 1u, 30u, 2000u})
    Sweep(36, Gitter({{1e-8, 1e-3, 0.3, 0.9, 0.999999}}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& s) {
            const long double p = s.par[0];
            // Above 1/2 the closed form loses nothing; below it the series.
            long double D = p > 0.5L ? p + (1 - p) * std::log1p(-p) : 0, pk = p;
            for (long double k = 2; p <= 0.5L; ++k) {
              pk *= p;
              const long double t = pk / (k * (k - 1));
              D += t;
              if (t < 1e-25L * D) break;
            }
            std::vector<long double> r(s.L + 1);
            for (std::uint32_t i = 0; i <= s.L; ++i) {
              const long double x = i + 1;
              r[i] = std::exp((x + 1) * std::log(p)) / (x * (x + 1) * D);
            }
            return r;
          });
}

}  // namespace
}  // namespace vk::test
