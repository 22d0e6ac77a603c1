// SPDX-License-Identifier: GPL-3.0-or-later
// The Lagrangian members 175 (generalized Poisson), 176 (its zero-inflated form), 177
// (generalized negative binomial), 179 (Abel-type on 1..m) and 180 (Lagrangian negative
// binomial) against their closed forms in long-double logarithms, from few classes to
// thousands, where the coefficients pass 1e308 while the powers fall below 1e-308.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

long double GpL(long double a, long double b, long double x) {
  return std::exp(std::log(a) + (x - 1) * std::log(a + x * b) - a - x * b - LogFak(x));
}

// k/(k + beta x) C(k + beta x, x) p^x (1 - p)^(k + beta x - x).
long double GnbL(long double k, long double p, long double beta, long double x) {
  const long double y = k + beta * x;
  return std::exp(std::log(k / y) + LogBinomL(y, x) + x * std::log(p) + (y - x) * std::log1p(-p));
}

TEST(ConsulLagrangianSweep, GeneralizedPoisson) {
  for (std::uint32_t L : {0u, 6u, 60u, 2000u})
    Sweep(175, Gitter({{0.01, 0.7, 4, 60, 720, 900}, {0, 0.05, 0.5, 0.9, 0.98}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& p) {
            return Terme(p, [&](long double x) { return GpL(p.par[0], p.par[1], x); });
          });
}

TEST(ConsulLagrangianSweep, ZeroInflatedGeneralizedPoisson) {
  for (std::uint32_t L : {0u, 1u, 8u, 500u})
    Sweep(176, Gitter({{0.02, 1.5, 30, 800}, {0, 0.4, 0.95}, {0.01, 0.5, 0.98}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& p) {
            const long double w = p.par[2];
            return Terme(p, [&](long double x) {
              const long double gp = GpL(p.par[0], p.par[1], x);
              return x == 0 ? w * gp + 1 - w : w * gp;
            });
          });
}

TEST(ConsulLagrangianSweep, GeneralizedNegativeBinomial) {
  for (std::uint32_t L : {0u, 2u, 40u, 1500u})
    Sweep(177, Gitter({{0.05, 1, 7.5, 300}, {0.01, 0.3, 0.6, 0.99}, {1, 1.4, 3, 12}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& p) {
            return Terme(p, [&](long double x) { return GnbL(p.par[0], p.par[1], p.par[2], x); });
          });
}

TEST(ConsulLagrangianSweep, AbelTypeOnOneToM) {
  for (std::uint32_t L : {1u, 2u, 9u, 150u, 3000u})
    Sweep(179, Gitter({{0.01, 0.3, 0.77, 0.98}}, {}, L, 1), Letzte::kRest, [](const SweepPunkt& p) {
      const long double a = p.par[0];
      const long double m = p.L + 1;
      return Terme(p, [&](long double i) {
        const long double x = i + 1;
        return std::exp(LogBinomL(m, x) + std::log(a / (a + 1)) +
                        (x - 1) * std::log(1 - x * a / m) + (m - x - 1) * std::log(x * a / m));
      });
    });
}

TEST(ConsulLagrangianSweep, LagrangianNegativeBinomial) {
  for (std::uint32_t L : {0u, 3u, 50u, 2000u})
    Sweep(180, Gitter({{1, 1.3, 4, 40}, {0.001, 0.2, 0.5, 0.95}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0];
            return Terme(p, [&](long double x) {
              return std::exp(LogBinomL((x + 1) * a, x) - std::log(x + 1) + x * std::log(p.par[1]) +
                              ((x + 1) * a - x) * std::log1p(-p.par[1]));
            });
          });
}

}  // namespace
}  // namespace vk::test
