// SPDX-License-Identifier: GPL-3.0-or-later
// The Poisson with a gap (112), the truncated negative binomial and binomial forms (113 to 116)
// and the negative binomial with a share of one moved to zero (117) over their domains against
// long-double probabilities from lgamma: each class's term over the sum of the terms of its
// support, the sums taken directly (the truncated mass from its own terms where it is large).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

long double LogNegBin(long double k, long double p, long double v) {
  return std::lgamma(k + v) - std::lgamma(k) - std::lgamma(v + 1) + k * std::log(p) +
         v * std::log1p(-p);
}

long double LogBinom(long double n, long double p, long double v) {
  return LogBinomL(n, v) + v * std::log(p) + (n - v) * std::log1p(-p);
}

// The Poisson mass of the values outside the gap u < v < w, summed from its own terms far
// beyond the mean.
long double PoissonAussen(long double a, long double u, long double w) {
  long double s = 0;
  const long double ende = a + 60 * std::sqrt(a) + 200;
  for (long double v = 0; v <= ende; ++v)
    if (!(v > u && v < w)) s += PoissonL(a, v);
  return s;
}

TEST(GappedTruncatedSweep, PoissonWithGap) {
  struct Luecke {
    double u, w;
  };
  for (const Luecke l : {Luecke{2, 5}, Luecke{0, 3}, Luecke{5, 6}, Luecke{1, 40}, Luecke{8, 30}})
    for (std::uint32_t L : {12u, 60u})
      Sweep(112, Gitter({{0.01, 0.5, 3, 20, 100, 1000}}, {l.u, l.w}, L), Letzte::kRest,
            [&](const SweepPunkt& p) {
              const long double a = p.par[0];
              const long double teiler = PoissonAussen(a, l.u, l.w);
              return Terme(p, [&](long double v) {
                return v > l.u && v < l.w ? 0.0L : PoissonL(a, v) / teiler;
              });
            });
}

// Sum of NB(v) over v >= m: 1 minus the mass below m where that keeps its digits, else the
// terms from m on until they no longer count.
long double NegBinAbM(long double k, long double p, std::uint32_t m) {
  long double unten = 0;
  for (std::uint32_t v = 0; v < m; ++v) unten += std::exp(LogNegBin(k, p, v));
  if (unten < 0.5L) return 1 - unten;
  long double s = 0;
  const long double gipfel = (k - 1) * (1 - p) / p;
  for (std::uint32_t v = m;; ++v) {
    const long double t = std::exp(LogNegBin(k, p, v));
    s += t;
    if (v > gipfel && t < s * 1e-22L) break;
  }
  return s;
}

TEST(GappedTruncatedSweep, LeftTruncatedNegativeBinomial) {
  for (std::uint32_t m : {1u, 5u, 20u})
    Sweep(113, Gitter({{0.05, 0.5, 2, 30, 500}, {0.01, 0.3, 0.9, 0.999}}, {double(m)}, 25, m),
          Letzte::kRest, [&](const SweepPunkt& p) {
            const long double k = p.par[0], q = p.par[1];
            const long double log0 = std::log(NegBinAbM(k, q, m));
            return Klassen(
                p, [&](std::uint32_t i) { return std::exp(LogNegBin(k, q, m + i) - log0); });
          });
}

// Terms exp(logTerm(v)) over the values lo..hi, normalised, at the classes x0..x0+L (0 above
// hi).
template <typename LogTerm>
std::vector<long double> Gestutzt(const SweepPunkt& p, long double lo, long double hi,
                                  LogTerm logTerm) {
  long double groesster = -1e4000L;
  for (long double v = lo; v <= hi; ++v) groesster = std::fmax(groesster, logTerm(v));
  long double s = 0;
  for (long double v = lo; v <= hi; ++v) s += std::exp(logTerm(v) - groesster);
  return Terme(p, [&](long double i) {
    const long double v = p.x0 + i;
    return v > hi ? 0.0L : std::exp(logTerm(v) - groesster) / s;
  });
}

TEST(GappedTruncatedSweep, DoublyTruncatedNegativeBinomial) {
  for (std::uint32_t x0 : {1u, 6u})
    for (std::uint32_t extra : {0u, 10u})
      Sweep(114,
            Gitter({{0.05, 0.5, 2, 30, 800}, {0.001, 0.3, 0.9, 0.999}},
                   {double(x0), double(x0 + 12 + extra)}, 12, x0),
            Letzte::kRest, [&](const SweepPunkt& p) {
              const long double k = p.par[0], q = p.par[1];
              return Gestutzt(p, x0, x0 + 12 + extra,
                              [&](long double v) { return LogNegBin(k, q, v); });
            });
}

TEST(GappedTruncatedSweep, DoublyTruncatedBinomial) {
  const std::vector<double> anteile{0.0001, 0.01, 0.3, 0.7, 0.99, 0.9999};
  for (double n : {10.0, 50.0, 3000.0})
    for (std::uint32_t x0 : {1u, 3u}) {
      const std::uint32_t L = n == 10 ? 10 - x0 : 40;
      Sweep(115, Gitter({anteile}, {n, double(x0), double(x0 + L)}, L, x0), Letzte::kRest,
            [&](const SweepPunkt& p) {
              return Gestutzt(p, x0, x0 + L,
                              [&](long double v) { return LogBinom(n, p.par[0], v); });
            });
    }
  // n of 20100 and more: the terms run to 20100.
  for (std::uint32_t x0 : {1u, 4u})
    Sweep(116, Gitter({{12, 100, 20100, 30000}, anteile}, {double(x0), double(x0 + 8)}, 8, x0),
          Letzte::kRest, [&](const SweepPunkt& p) {
            const long double n = std::fmin(p.par[0], 20100);
            return Gestutzt(p, x0, x0 + 8, [&](long double v) { return LogBinom(n, p.par[1], v); });
          });
}

TEST(GappedTruncatedSweep, NegativeBinomialShareMovedToZero) {
  for (std::uint32_t L : {1u, 2u, 3u, 30u})
    Sweep(117, Gitter({{0.05, 1, 4, 300, 3000}, {0.01, 0.4, 0.99}, {0, 0.3, 1}}, {}, L),
          Letzte::kRest, [](const SweepPunkt& p) {
            const long double k = p.par[0], q = p.par[1], c = p.par[2];
            return Klassen(p, [&](std::uint32_t i) {
              const long double nb = std::exp(LogNegBin(k, q, i));
              if (i == 0) return nb + c * std::exp(LogNegBin(k, q, 1));
              return i == 1 ? (1 - c) * nb : nb;
            });
          });
}

}  // namespace
}  // namespace vk::test
