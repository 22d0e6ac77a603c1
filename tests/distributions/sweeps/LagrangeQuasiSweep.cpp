// SPDX-License-Identifier: GPL-3.0-or-later
// Lagrangian-type members 181 (quasi-binomial), 182 (generalized logarithmic series) and 187
// (Poisson with a linearly growing mean) against their closed forms in long double: the
// quasi-binomial by log-gamma, the logarithmic series by the product form of C(beta x, x)/(beta x)
// summed in logarithms, 187 term by term.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

TEST(LagrangeQuasiSweep, QuasiBinomial) {
  for (std::uint32_t L : {1u, 10u, 200u})
    for (double versuche : {1.0 * L, L + 5.0, 3.0 * L + 40})
      Sweep(181, Gitter({{versuche}, {1e-3, 0.3, 0.9, 0.999}, {0, 1e-3, 0.2, 5}}, {}, L),
            Letzte::kRest, [](const SweepPunkt& s) {
              const long double n = s.par[0], p = s.par[1], phi = s.par[2];
              return Terme(s, [&](long double x) {
                return std::exp(LogBinomL(n, x) + std::log(p) + std::log1p(-p) +
                                (x - 1) * std::log(p + x * phi) +
                                (n - x - 1) * std::log(1 - p + (n - x) * phi) -
                                (n - 1) * std::log1p(n * phi));
              });
            });
}

TEST(LagrangeQuasiSweep, GeneralizedLogarithmicSeries) {
  for (std::uint32_t L : {0u, 1u, 30u, 1500u})
    for (double theta : {1e-8, 1e-6, 1e-4, 0.01, 0.3, 0.6, 0.999})
      for (double anteil : {0.0, 0.5, 0.999}) {
        // beta from 1 up to just below 1/theta.
        const double beta = 1 + anteil * (1 / theta - 1);
        Sweep(182, Gitter({{theta}, {beta}}, {}, L, 1), Letzte::kRest, [](const SweepPunkt& s) {
          const long double t = s.par[0], b = s.par[1];
          const long double l1 = -std::log1p(-t);
          return Terme(s, [&](long double i) {
            const long double x = i + 1;
            long double logProdukt = -LogFak(x);
            for (long double k = 1; k < x; ++k) logProdukt += std::log(b * x - k);
            return std::exp(logProdukt + x * std::log(t) + (b * x - x) * std::log1p(-t)) / l1;
          });
        });
      }
}

// For b < 0 the terms hold more than 1 and the last class is the absolute value of the rest.
TEST(LagrangeQuasiSweep, LinearMeanPoisson) {
  for (std::uint32_t L : {0u, 5u, 60u, 2000u})
    Sweep(187, Gitter({{1e-3, 0.5, 4, 80, 900}, {-0.9, -0.1, 0, 0.3, 0.9, 0.98}}, {}, L),
          Letzte::kPunkt, [](const SweepPunkt& s) {
            const long double a = s.par[0], b = s.par[1];
            auto P = Terme(s, [&](long double x) -> long double {
              const long double m = a + b * x;
              if (!(m > 0)) return 0;
              return (1 - b) * std::exp(x * std::log(m) - m - LogFak(x));
            });
            long double unterL = 0;
            for (std::uint32_t i = 0; i < s.L; ++i) unterL += P[i];
            P[s.L] = std::fabs(1 - unterL);
            return P;
          });
}

}  // namespace
}  // namespace vk::test
