// SPDX-License-Identifier: GPL-3.0-or-later
// Two-component mixtures (members 131 to 139) over their domains against the weighted sum of
// their components' probabilities in long double (lgamma routes). Component means from nearly zero
// to beyond the point where a first term leaves the double range, weights near both ends.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

const std::vector<double> kAnteile{0.001, 0.1, 0.5, 0.9, 0.999};
const std::vector<double> kGewichte{0.001, 0.5, 0.999};

long double BinomL(long double n, long double p, long double x) {
  if (x > n) return 0;
  return std::exp(LogBinomL(n, x) + x * std::log(p) + (n - x) * std::log1p(-p));
}
long double GeomL(long double a, long double i) {
  return (1 - a) * std::pow(a, i);
}
long double LogarithmischL(long double t, long double x) {
  return -std::pow(t, x) / (x * std::log1p(-t));
}
long double PositivPoissonL(long double a, long double x) {
  return std::exp(x * std::log(a) - LogFak(x) - a - std::log(-std::expm1(-a)));
}
long double NegBinL(long double k, long double p, long double i) {
  return std::exp(std::lgamma(k + i) - std::lgamma(k) - LogFak(i) + k * std::log(p) +
                  i * std::log1p(-p));
}

TEST(TwoComponentMixtureSweep, Binomials) {
  for (double n : {1.0, 10.0, 60.0, 3000.0})
    for (std::uint32_t L : {5u, 60u})
      Sweep(131, Gitter({kAnteile, {0.01, 0.7, 0.999}, kGewichte}, {n}, L), Letzte::kRest,
            [](const SweepPunkt& p) {
              const long double w = p.par[2], versuche = p.fest[0];
              return Terme(p, [&](long double i) {
                return w * BinomL(versuche, p.par[0], i) + (1 - w) * BinomL(versuche, p.par[1], i);
              });
            });
  Sweep(132, Gitter({kAnteile, {0.01, 0.7, 0.999}, kGewichte, {1, 10, 60, 3000}}, {}, 60),
        Letzte::kRest, [](const SweepPunkt& p) {
          const long double w = p.par[2], n = p.par[3];
          return Terme(p, [&](long double i) {
            return w * BinomL(n, p.par[0], i) + (1 - w) * BinomL(n, p.par[1], i);
          });
        });
}

TEST(TwoComponentMixtureSweep, Poissons) {
  for (std::uint32_t L : {5u, 60u, 1200u})
    Sweep(133, Gitter({{0.01, 1, 30, 300, 1000}, {0.5, 40, 900}, kGewichte}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double w = p.par[2];
            return Terme(p, [&](long double i) {
              return w * PoissonL(p.par[0], i) + (1 - w) * PoissonL(p.par[1], i);
            });
          });
}

TEST(TwoComponentMixtureSweep, Logarithmics) {
  for (std::uint32_t L : {5u, 60u})
    Sweep(134, Gitter({kAnteile, {0.01, 0.9, 0.999}, kGewichte}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double w = p.par[2];
            return Terme(p, [&](long double i) {
              return w * LogarithmischL(p.par[0], i + 1) +
                     (1 - w) * LogarithmischL(p.par[1], i + 1);
            });
          });
}

TEST(TwoComponentMixtureSweep, Geometrics) {
  for (std::uint32_t L : {5u, 60u})
    Sweep(135, Gitter({kAnteile, {0.01, 0.9, 0.999}, kGewichte}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double w = p.par[2];
            return Terme(p, [&](long double i) {
              return w * GeomL(p.par[0], i) + (1 - w) * GeomL(p.par[1], i);
            });
          });
}

TEST(TwoComponentMixtureSweep, PoissonAndBinomial) {
  // The binomial part ends at Int(n), also for an n that is not whole.
  for (double n : {1.0, 10.0, 25.5, 3000.0})
    for (std::uint32_t L : {5u, 60u})
      Sweep(136, Gitter({{0.01, 3, 900}, kAnteile, kGewichte}, {n}, L), Letzte::kRest,
            [](const SweepPunkt& p) {
              const long double w = p.par[2], versuche = p.fest[0];
              return Terme(p, [&](long double i) {
                const long double b =
                    i > std::floor(versuche)
                        ? 0
                        : std::exp(std::lgamma(versuche + 1) - LogFak(i) -
                                   std::lgamma(versuche - i + 1) + i * std::log(p.par[1]) +
                                   (versuche - i) * std::log1p(-p.par[1]));
                return w * PoissonL(p.par[0], i) + (1 - w) * b;
              });
            });
}

TEST(TwoComponentMixtureSweep, ZeroTruncatedPoissons) {
  for (std::uint32_t L : {5u, 60u, 1000u})
    Sweep(137, Gitter({{0.001, 1, 30, 300, 800}, {0.5, 40, 720}, kGewichte}, {}, L, 1),
          Letzte::kRest, [](const SweepPunkt& p) {
            const long double w = p.par[2];
            return Terme(p, [&](long double i) {
              return w * PositivPoissonL(p.par[0], i + 1) +
                     (1 - w) * PositivPoissonL(p.par[1], i + 1);
            });
          });
}

TEST(TwoComponentMixtureSweep, NegativeBinomialAndItsShift) {
  for (std::uint32_t L : {5u, 60u, 1500u})
    Sweep(138, Gitter({{0.01, 1, 10, 500}, kAnteile, kGewichte}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double k = p.par[0], q = p.par[1], w = p.par[2];
            return Terme(p, [&](long double i) {
              return (1 - w) * NegBinL(k, q, i) + (i > 0 ? w * NegBinL(k, q, i - 1) : 0);
            });
          });
}

TEST(TwoComponentMixtureSweep, GeometricAndLogarithmic) {
  for (std::uint32_t L : {5u, 60u})
    Sweep(139, Gitter({kAnteile, kAnteile, kGewichte}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double w = p.par[2];
            return Terme(p, [&](long double i) {
              return w * GeomL(p.par[0], i) + (1 - w) * LogarithmischL(p.par[1], i + 1);
            });
          });
}

}  // namespace
}  // namespace vk::test
