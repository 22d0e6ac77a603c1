// SPDX-License-Identifier: GPL-3.0-or-later
// Compound and mixed Poisson members (31, 34, 39) over their domains against long-double
// probabilities from their closed forms or from the mixture itself: shape and scale parameters
// from nearly zero to large, long tails.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

TEST(CompoundFamilySweep, PoissonLindley) {
  for (std::uint32_t L : {0u, 2u, 30u, 1000u})
    Sweep(31, Gitter({{1e-3, 0.05, 1, 20, 500}}, {}, L), Letzte::kRest, [](const SweepPunkt& s) {
      const long double t = s.par[0];
      return Terme(s, [&](long double x) {
        return t * t * (x + t + 2) * std::exp(-(x + 3) * std::log1p(t));
      });
    });
}

// The Poisson mixture over a Levy law of scale a: P(x) = sqrt(a/(2 pi)) 2/x! (a/2)^((2x - 1)/4)
// K_(x - 1/2)(z), z = sqrt(2a), with the half-integer Bessel function as its finite sum.
TEST(CompoundFamilySweep, PoissonLevy) {
  for (std::uint32_t L : {1u, 30u, 600u})
    Sweep(34, Gitter({{1e-4, 0.3, 2, 40, 2000}}, {}, L), Letzte::kRest, [](const SweepPunkt& s) {
      const long double a = s.par[0], z = std::sqrt(2 * a);
      const long double pi = 3.141592653589793238462643383279502884L;
      return Terme(s, [&](long double x) {
        const long double n = x == 0 ? 0 : x - 1;  // K_(-1/2) = K_(1/2)
        long double summe = 0;
        for (long double k = 0; k <= n; ++k)
          summe += std::exp(std::lgamma(n + k + 1) - std::lgamma(k + 1) - std::lgamma(n - k + 1) -
                            k * std::log(2 * z));
        const long double logK = 0.5L * std::log(pi / (2 * z)) - z + std::log(summe);
        return std::exp(0.5L * std::log(a / (2 * pi)) + std::log(2.0L) - std::lgamma(x + 1) +
                        (2 * x - 1) / 4 * std::log(a / 2) + logK);
      });
    });
}

// The geometric sum of negative binomial summands: P(x) = sum_n c (1 - c)^n NB(x; n k, p), the
// n-fold convolution of NB(k, p) being NB(n k, p).
TEST(CompoundFamilySweep, GeometricPascal) {
  for (std::uint32_t L : {0u, 3u, 25u, 100u})
    Sweep(39, Gitter({{0.05, 1, 6}, {0.05, 0.5, 0.95}, {0.02, 0.5, 0.95}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& s) {
            const long double k = s.par[0], p = s.par[1], c = s.par[2];
            return Terme(s, [&](long double x) {
              long double summe = x == 0 ? c : 0;
              for (long double n = 1; n < 1e7L; ++n) {
                const long double kn = n * k;
                const long double gewicht = n * std::log1p(-c);
                const long double t =
                    c * std::exp(gewicht + std::lgamma(kn + x) - std::lgamma(kn) -
                                 std::lgamma(x + 1) + kn * std::log(p) + x * std::log1p(-p));
                summe += t;
                // Past the summands' mode the terms only fall; and all later weights together
                // are below (1 - c)^n / c, each probability being at most 1.
                if (t < 1e-30L * summe && kn * (1 - p) > x * p) break;
                if (std::exp(gewicht) / c < 1e-25L * summe) break;
              }
              return summe;
            });
          });
  // Many successes per summand: p^k far below the double range, the mass near k(1-p)/p times
  // the summands' count.
  Sweep(39, Gitter({{7000, 8000}, {0.9}, {0.3, 0.9}}, {}, 1500), Letzte::kRest,
        [](const SweepPunkt& s) {
          const long double k = s.par[0], p = s.par[1], c = s.par[2];
          return Terme(s, [&](long double x) {
            long double summe = x == 0 ? c : 0;
            for (long double n = 1; n < 200; ++n) {
              const long double kn = n * k;
              summe += c * std::exp(n * std::log1p(-c) + std::lgamma(kn + x) - std::lgamma(kn) -
                                    std::lgamma(x + 1) + kn * std::log(p) + x * std::log1p(-p));
            }
            return summe;
          });
        });
}

}  // namespace
}  // namespace vk::test
