// SPDX-License-Identifier: GPL-3.0-or-later
// Members 191 (differences of integer parts of 2a over odd numbers), 193 (Stirling distribution
// of the first kind) and 194 (urn chain) against independent long-double routes: 191 by its
// formula, 193 as the m-fold convolution of the logarithmic distribution, 194 by the time of each
// success instead of the trial-by-trial table.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

TEST(CountingFormsSweep, OddHarmonicIntegerParts) {
  for (std::uint32_t L : {0u, 1u, 10u, 300u})
    Sweep(191, Gitter({{0.3, 1, 2.5, 12, 100.7, 4000}}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& s) {
            const long double a2 = 2.0L * s.par[0];
            return Terme(s, [&](long double i) {
              const long double x = i + 1;
              return (std::floor(a2 / (2 * x - 1)) - std::floor(a2 / (2 * x + 1))) / a2;
            });
          });
}

// Values m..m + L of the sum of m logarithmic(theta) variables.
TEST(CountingFormsSweep, StirlingFirstKind) {
  for (std::uint32_t summanden : {1u, 2u, 5u, 30u})
    for (std::uint32_t L : {0u, 3u, 100u, 400u})
      Sweep(193, Gitter({{1e-4, 0.2, 0.7, 0.99}}, {double(summanden)}, L, summanden), Letzte::kRest,
            [](const SweepPunkt& s) {
              const long double t = s.par[0];
              const std::uint32_t m = s.x0, bis = m + s.L;
              const long double l1 = -std::log1p(-t);
              // Each factor relative to theta: lg[v] = Lg(v)/theta^v.
              std::vector<long double> lg(bis + 1, 0.0L), P(bis + 1, 0.0L);
              for (std::uint32_t v = 1; v <= bis; ++v) lg[v] = 1 / (v * l1);
              P = lg;
              for (std::uint32_t k = 2; k <= m; ++k) {
                std::vector<long double> neu(bis + 1, 0.0L);
                for (std::uint32_t v = k; v <= bis; ++v)
                  for (std::uint32_t w = 1; w <= v - k + 1; ++w) neu[v] += lg[w] * P[v - w];
                P = neu;
              }
              return Klassen(s, [&](std::uint32_t i) {
                const std::uint32_t v = m + i;
                return P[v] * std::exp(v * std::log(t));
              });
            });
}

// The j-th success at trial u: T[j][i] = sum_u T[j-1][u-1] h_{j-1} (1 - h_j)^{i-u}.
TEST(CountingFormsSweep, UrnChain) {
  for (double versuche : {1.0, 7.0, 40.0})
    for (std::uint32_t L : {1u, 5u, 40u, 60u})
      Sweep(194, Gitter({{0, 0.01, 0.5, 4}, {0.01, 0.4, 0.97}}, {versuche}, L), Letzte::kRest,
            [](const SweepPunkt& s) {
              const long double a = s.par[0], p = s.par[1];
              const std::uint32_t n = static_cast<std::uint32_t>(s.fest[0]);
              const auto h = [&](long double j) { return (j * a + p) / (j * a + 1); };
              std::vector<std::vector<long double>> T(n + 1, std::vector<long double>(n + 1, 0.0L));
              for (std::uint32_t i = 0; i <= n; ++i) T[0][i] = std::pow(1 - p, i);
              for (std::uint32_t j = 1; j <= n; ++j)
                for (std::uint32_t i = j; i <= n; ++i)
                  for (std::uint32_t u = j; u <= i; ++u)
                    T[j][i] += T[j - 1][u - 1] * h(j - 1) * std::pow(1 - h(j), i - u);
              return Klassen(s, [&](std::uint32_t j) { return j <= n ? T[j][n] : 0.0L; });
            });
}

}  // namespace
}  // namespace vk::test
