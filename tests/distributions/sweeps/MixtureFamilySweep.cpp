// SPDX-License-Identifier: GPL-3.0-or-later
// Mixtures (members 28, 29, 30, 37, 38) over their domains against long-double probabilities:
// components far apart and nearly equal, weights at 0 and 1, ratios near 0 and 1, exponents
// large enough that the first term leaves the double range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// C(k + i - 1, i) p^k (1 - p)^i in logarithms.
long double NegBinL(long double k, long double p, long double i) {
  return std::exp(std::lgamma(k + i) - std::lgamma(k) - std::lgamma(i + 1) + k * std::log(p) +
                  i * std::log1p(-p));
}

TEST(MixtureFamilySweep, NegativeBinomialMixture) {
  const std::vector<double> p{0.02, 0.4, 0.97, 0.999};
  for (std::uint32_t L : {0u, 2u, 40u, 400u})
    Sweep(28, Gitter({{0.05, 1, 7.5, 60}, p, p, {0, 0.35, 1}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& s) {
            const long double k = s.par[0], w = s.par[3];
            return Terme(s, [&](long double i) {
              return w * NegBinL(k, s.par[1], i) + (1 - w) * NegBinL(k, s.par[2], i);
            });
          });
  // Exponents whose p^k is below the double range while the classes near the mode are not.
  Sweep(28, Gitter({{900, 3000}, {0.3, 0.5}, {0.45, 0.6}, {0.2, 0.7}}, {}, 6000), Letzte::kRest,
        [](const SweepPunkt& s) {
          const long double k = s.par[0], w = s.par[3];
          return Terme(s, [&](long double i) {
            return w * NegBinL(k, s.par[1], i) + (1 - w) * NegBinL(k, s.par[2], i);
          });
        });
}

// (a/b)(b/d)^i e^-a P(Poisson(d) >= i), d = b - a, with the Poisson tail summed upwards.
TEST(MixtureFamilySweep, TwoRatePoisson) {
  std::vector<SweepPunkt> punkte;
  for (std::uint32_t L : {0u, 1u, 2u, 14u, 80u})
    for (double a : {1e-3, 0.8, 3.927, 40.0})
      for (double d : {1e-6, 0.01, 0.1, 2.0, 30.0}) punkte.push_back({{a, a + d}, {}, L});
  Sweep(29, punkte, Letzte::kRest, [](const SweepPunkt& s) {
    const long double a = s.par[0], b = s.par[1], d = b - a;
    return Terme(s, [&](long double i) {
      if (i == 0) return std::exp(-a);
      long double schwanz = 0;
      for (long double j = i; j < i + 400 + 4 * d; ++j) schwanz += PoissonL(d, j);
      return a / b * std::exp(i * std::log(b / d) - a) * schwanz;
    });
  });
}

// r_0 sum_j (-1)^j C(n, j) (s/(s + j))^a with s = b + c, n = x - c: the alternating sum where it
// keeps enough digits in long double, else the same quantity as the expectation
// E[(1 - e^(-T/s))^n] over a gamma variable T of shape a, by a fine trapezoidal rule in ln T.
std::vector<long double> GammaPascalL(const SweepPunkt& s) {
  const long double a = s.par[0], b = s.par[1], c = s.fest[0], x0 = s.x0;
  const long double st = b + c;
  return Terme(s, [&](long double i) -> long double {
    const long double x = x0 + i;
    if (i == 0) return std::pow(b / st, a);
    const long double r0 = std::exp(LogBinomL(x - 1, x - x0) - a * std::log1p(c / b));
    const long double n = x - c;
    long double summe = 0, betrag = 0;
    for (long double j = 0; j <= n; ++j) {
      const long double t = (static_cast<int>(j) % 2 ? -1 : 1) *
                            std::exp(LogBinomL(n, j) + a * std::log(st / (st + j)));
      summe += t;
      betrag += std::fabs(t);
    }
    if (betrag < 1e7L * std::fabs(summe)) return r0 * summe;
    const long double h = 0.004L, lg = std::lgamma(a);
    long double integral = 0;
    for (long double w = -40; w < 8; w += h) {
      const long double t = std::exp(w);
      integral += std::exp(a * w - t - lg + n * std::log(-std::expm1(-t / st)));
    }
    return r0 * integral * h;
  });
}

// The classes below L sum to at most 1 (r_0 carries the weight (b/(b + c))^a of the first class;
// with the exponent b there they summed to hundreds of times N at a = 8, b = 0.5). The filter
// below guards the reference: a point whose classes below L summed above 1 would leave the last
// class a remainder no rounding holds to 1e-12 N.
TEST(MixtureFamilySweep, GammaPascal) {
  for (double cf : {1.0, 3.0, 10.0})
    for (std::uint32_t L : {1u, 10u, 40u}) {
      auto punkte =
          Gitter({{0.3, 1.5, 2.5, 8}, {0.5, 3, 20}}, {cf}, L, static_cast<std::uint32_t>(cf));
      std::erase_if(punkte, [](const SweepPunkt& s) {
        const auto r = GammaPascalL(s);
        long double unter = 0;
        for (std::uint32_t i = 0; i < s.L; ++i) unter += r[i];
        return unter > 1;
      });
      Sweep(30, punkte, Letzte::kRest, GammaPascalL);
    }
  // Values beyond 171, where (x - 1)! leaves the double range.
  Sweep(30, Gitter({{1.5}, {3, 20}}, {3}, 220, 3), Letzte::kRest, GammaPascalL);
}

TEST(MixtureFamilySweep, UniformPlusGeometric) {
  for (double mf : {1.0, 3.0, 40.0})
    for (std::uint32_t L : {0u, 2u, 30u, 300u})
      Sweep(37, Gitter({{1e-4, 0.3, 0.9, 0.9999, 1 - 1e-9}}, {mf}, L), Letzte::kRest,
            [](const SweepPunkt& s) {
              const long double a = s.par[0], m = s.fest[0];
              return Terme(s, [&](long double i) {
                if (i < m) return -std::expm1((i + 1) * std::log(a)) / m;
                return -std::expm1(m * std::log(a)) * std::pow(a, i - m + 1) / m;
              });
            });
}

TEST(MixtureFamilySweep, ZeroModifiedGeometric) {
  for (std::uint32_t L : {0u, 1u, 2u, 30u, 500u}) {
    auto punkte = Gitter({{1e-9, 0.01, 0.5, 1, 3, 40}, {1e-4, 0.2, 0.7, 0.999}}, {}, L);
    // Inside the domain P(0) is not negative: (1 - b^a) b <= a (1 - b).
    std::erase_if(punkte, [](const SweepPunkt& s) {
      return -std::expm1(s.par[0] * std::log(s.par[1])) * s.par[1] > s.par[0] * (1 - s.par[1]);
    });
    Sweep(38, punkte, Letzte::kRest, [](const SweepPunkt& s) {
      const long double a = s.par[0], b = s.par[1];
      const long double eins = -std::expm1(a * std::log(b));  // 1 - b^a
      const long double g = eins * b / (a * (1 - b));
      return Terme(s, [&](long double i) {
        if (i == 0) return 1 - g;
        return eins * g * std::exp((i - 1) * a * std::log(b));
      });
    });
  }
}

}  // namespace
}  // namespace vk::test
