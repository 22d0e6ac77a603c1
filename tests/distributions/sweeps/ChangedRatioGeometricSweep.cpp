// SPDX-License-Identifier: GPL-3.0-or-later
// Geometric members whose ratio changes: 168 (a modified first step) and 169 (a change of ratio
// at the class m), against their closed forms in long double.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

TEST(ChangedRatioGeometricSweep, ModifiedFirstStep) {
  for (std::uint32_t L : {0u, 1u, 2u, 30u, 3000u})
    Sweep(168, Gitter({{0.0001, 0.3, 0.9, 0.9999}, {0.0001, 0.5, 0.999}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            const long double q = b + (1 - b) * a;
            return Terme(p, [&](long double i) {
              if (i == 0) return 1 - a;
              return a * (1 - b) * (1 - a) * std::pow(q, i - 1);
            });
          });
}

TEST(ChangedRatioGeometricSweep, ChangeOfRatioAtM) {
  for (std::uint32_t L : {0u, 3u, 40u, 2500u})
    for (double wechsel : {1.0, 2.0, 7.0, 100.0})
      Sweep(169, Gitter({{0.001, 0.4, 0.97}, {0.001, 0.6, 0.999}}, {wechsel}, L), Letzte::kRest,
            [](const SweepPunkt& p) {
              const long double a = p.par[0], b = p.par[1], m = p.fest[0];
              const long double p0 =
                  (1 - a) * (1 - b) /
                  ((1 - std::pow(a, m)) * (1 - b) + std::pow(a, m - 1) * (1 - a) * b);
              return Terme(p, [&](long double i) {
                return i < m ? p0 * std::pow(a, i)
                             : p0 * std::pow(a, m - 1) * std::pow(b, i - m + 1);
              });
            });
}

}  // namespace
}  // namespace vk::test
