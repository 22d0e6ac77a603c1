// SPDX-License-Identifier: GPL-3.0-or-later
// Weighted Poisson terms, members 183 (a^i/(i! (i + a)) over the whole support) and 184
// (a^i/(i! (i + b + 1)^c) over the classes and two beyond), each term in logarithms, in long
// double, the whole-support normaliser summed until the terms no longer count.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

TEST(WeightedPoissonTermsSweep, PoissonOverShiftedIndex) {
  for (std::uint32_t L : {0u, 3u, 40u, 1000u})
    Sweep(183, Gitter({{1e-3, 0.5, 3, 60, 400, 3000}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& s) {
            const long double a = s.par[0];
            const auto logT = [&](long double i) {
              return i * std::log(a) - LogFak(i) - std::log(i + a);
            };
            // Relative to the largest term, near i = a.
            const long double gipfel = logT(std::floor(a));
            long double S = 0;
            for (long double i = 0;; ++i) {
              const long double t = std::exp(logT(i) - gipfel);
              S += t;
              if (i > a && t < 1e-25L * S) break;
            }
            return Terme(s, [&](long double i) { return std::exp(logT(i) - gipfel) / S; });
          });
}

TEST(WeightedPoissonTermsSweep, PoissonPowerWeighted) {
  for (std::uint32_t L : {0u, 4u, 50u, 800u})
    Sweep(184, Gitter({{1e-3, 1, 20, 500}, {-0.9, 0, 3.5}, {-3, 0, 0.5, 4}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& s) {
            const long double a = s.par[0], b = s.par[1], c = s.par[2];
            std::vector<long double> logT(s.L + 2);
            long double gipfel = -1e4000L;
            for (std::uint32_t i = 0; i < s.L + 2; ++i) {
              logT[i] = i * std::log(a) - LogFak(i) - c * std::log(i + b + 1);
              gipfel = std::fmax(gipfel, logT[i]);
            }
            long double S = 0;
            for (long double l : logT) S += std::exp(l - gipfel);
            return Klassen(s, [&](std::uint32_t i) { return std::exp(logT[i] - gipfel) / S; });
          });
}

}  // namespace
}  // namespace vk::test
