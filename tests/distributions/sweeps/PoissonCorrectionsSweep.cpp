// SPDX-License-Identifier: GPL-3.0-or-later
// Corrected, weighted and mixed Poisson forms over their domains against long-double
// probabilities: means from nearly zero to beyond the point where e^-a underflows.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

TEST(PoissonCorrectionsSweep, SecondOrderCorrection) {
  // b from the lower edge of the bracket (-2 at class 0) to a multiple of the Poisson variance;
  // the points whose bracket goes negative below L fail by design and are left out.
  for (std::uint32_t L : {3u, 40u, 1200u})
    for (double a : {1e-3, 0.5, 3.0, 30.0, 200.0, 800.0})
      for (double b : {-1.99, -0.5, 0.0, 0.7, 2.0}) {
        SweepPunkt p{{a, b}, {}, L, 0};
        bool negativ = false;
        for (std::uint32_t j = 0; j < L; ++j)
          negativ |= 1 + b * ((j - a) * (j - a) - j) / (2 * a * a) < 0;
        // With b < 0 the bracket turns negative somewhere beyond any class; where the mass it
        // takes from beyond L exceeds what is left there, the remainder would be negative and
        // the tail rule's absolute value applies: not a distribution, left out.
        long double unter = 0;
        for (std::uint32_t j = 0; j < L; ++j)
          unter += PoissonL(a, j) * (1 + b * ((j - a) * (j - a) - j) / (2 * a * a));
        if (negativ || unter > 1) continue;
        SweepPunktPruefen(84, p, Letzte::kRest, [](const SweepPunkt& q) {
          const long double aa = q.par[0], bb = q.par[1];
          return Klassen(q, [&](std::uint32_t j) {
            const long double d = j - aa;
            return PoissonL(aa, j) * (1 + bb * (d * d - j) / (2 * aa * aa));
          });
        });
      }
}

TEST(PoissonCorrectionsSweep, GeometricallyWeightedTail) {
  // The Poisson mass from x on summed upward term by term for every class; the normaliser in
  // closed form, in long double.
  for (std::uint32_t L : {1u, 30u, 1200u})
    Sweep(85, Gitter({{1e-3, 0.5, 3, 40, 300, 800}, {1e-4, 0.3, 0.97, 1.05, 3}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& p) {
            const long double a = p.par[0], b = p.par[1];
            const long double c = (1 - b) / (1 - b * std::exp(-a * (1 - b)));
            return Klassen(p, [&](std::uint32_t x) {
              long double q = 0;
              long double t = PoissonL(a, x);
              for (std::uint32_t j = x; j < x + 20000; ++j) {
                q += t;
                t *= a / (j + 1);
                if (j > a && t < q * 1e-25L) break;
              }
              return c * std::pow(b, static_cast<long double>(x)) * q;
            });
          });
}

TEST(PoissonCorrectionsSweep, PoissonStoppedPositivePoisson) {
  // P(x) = e^-lambda b^x/x! sum_n S(x, n) (a/b)^n with Stirling numbers of the second kind,
  // lambda = a (e^b - 1)/b, up to and beyond where e^-lambda underflows.
  std::vector<SweepPunkt> punkte = Gitter({{1e-3, 0.5, 3, 30, 600}, {1e-4, 0.3, 2, 6}}, {}, 4);
  for (std::uint32_t L : {40u, 150u})
    for (SweepPunkt p : Gitter({{1e-3, 0.5, 3, 30, 600}, {1e-4, 0.3, 2, 6}}, {}, L))
      punkte.push_back(p);
  // e^-lambda far below the double range with the mode (a e^b = 989) inside the classes.
  punkte.push_back(SweepPunkt{{600, 0.5}, {}, 1100, 0});
  Sweep(88, punkte, Letzte::kRest, [](const SweepPunkt& p) {
    const long double aa = p.par[0], bb = p.par[1];
    const long double lambda = aa * std::expm1(bb) / bb;
    std::vector<long double> S(p.L + 1, 0), neu(p.L + 1, 0);
    S[0] = 1;
    std::vector<long double> r(p.L + 1);
    for (std::uint32_t x = 0; x <= p.L; ++x) {
      if (x > 0) {
        neu.assign(p.L + 1, 0);
        for (std::uint32_t k = 1; k <= x; ++k) neu[k] = k * S[k] + S[k - 1];
        S = neu;
      }
      long double t = 0;
      for (std::uint32_t k = 0; k <= x; ++k)
        t += S[k] * std::pow(aa / bb, static_cast<long double>(k));
      r[x] = std::exp(-lambda + x * std::log(bb) - LogFak(x)) * t;
    }
    return r;
  });
}

TEST(PoissonCorrectionsSweep, ShiftMixtures) {
  // Both reach means beyond the underflow of e^-a (800), where they start at the mode.
  for (std::uint32_t L : {1u, 30u, 1200u}) {
    for (double a : {1e-3, 0.5, 3.0, 40.0, 300.0, 700.0, 800.0})
      for (double b : {0.01, 0.4, 0.98})
        SweepPunktPruefen(96, SweepPunkt{{a, b}, {}, L, 0}, Letzte::kRest, [](const SweepPunkt& p) {
          return Klassen(p, [&](std::uint32_t i) {
            return (1 - p.par[1]) * PoissonL(p.par[0], i) +
                   (i >= 1 ? p.par[1] * PoissonL(p.par[0], i - 1) : 0);
          });
        });
    for (double a : {1e-3, 0.5, 3.0, 40.0, 300.0, 800.0})
      for (double b : {0.01, 0.4, 0.98})
        for (double m : {1.0, 4.0, 2000.0})
          SweepPunktPruefen(97, SweepPunkt{{a, b}, {m}, L, 0}, Letzte::kRest,
                            [](const SweepPunkt& p) {
                              const auto s = static_cast<std::uint32_t>(p.fest[0]);
                              return Klassen(p, [&](std::uint32_t i) {
                                return (1 - p.par[1]) * PoissonL(p.par[0], i) +
                                       (i >= s ? p.par[1] * PoissonL(p.par[0], i - s) : 0);
                              });
                            });
  }
}

}  // namespace
}  // namespace vk::test
