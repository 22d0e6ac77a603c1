// SPDX-License-Identifier: GPL-3.0-or-later
// Right-truncated power laws on the values from 1: member 167 (Zipf-Alekseev with a given share
// of the first class) and member 178 (Zipf-Mandelbrot), from steep to rising terms, where the
// largest term leaves the double range.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

TEST(AlekseevMandelbrotSweep, ZipfAlekseev) {
  for (std::uint32_t L : {1u, 3u, 40u, 5000u})
    for (double anteil : {0.01, 0.4, 0.97})
      Sweep(167, Gitter({{-3, 0, 1.2, 9}, {-12, -0.6, 0, 0.3, 2}}, {L + 1.0, anteil}, L, 1),
            Letzte::kPunkt, [](const SweepPunkt& p) {
              const long double a = p.par[0], b = p.par[1], w = p.fest[1];
              std::vector<long double> t(p.L);
              for (std::uint32_t i = 1; i <= p.L; ++i) {
                const long double lv = std::log(i + 1.0L);
                t[i - 1] = -(a + b * lv) * lv;
              }
              long double g = t[0];
              for (long double v : t) g = std::max(g, v);
              long double s = 0;
              for (long double v : t) s += std::exp(v - g);
              std::vector<long double> r(p.L + 1);
              r[0] = w;
              for (std::uint32_t i = 1; i <= p.L; ++i) r[i] = (1 - w) * std::exp(t[i - 1] - g) / s;
              return r;
            });
}

TEST(AlekseevMandelbrotSweep, ZipfMandelbrot) {
  for (std::uint32_t L : {0u, 2u, 30u, 8000u})
    Sweep(178, Gitter({{0.05, 1, 2.7, 12}, {-1 + 1e-9, -0.5, 0, 3, 250}}, {}, L, 1), Letzte::kPunkt,
          [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            std::vector<long double> t(p.L + 1);
            for (std::uint32_t i = 0; i <= p.L; ++i) t[i] = -a * std::log(i + 1 + b);
            long double g = t[0];
            for (long double v : t) g = std::max(g, v);
            long double s = 0;
            for (long double v : t) s += std::exp(v - g);
            for (long double& v : t) v = std::exp(v - g) / s;
            return t;
          });
}

}  // namespace
}  // namespace vk::test
