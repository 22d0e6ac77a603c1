// SPDX-License-Identifier: GPL-3.0-or-later
// Members 153 to 166 against their probability functions in long double: corrected, continued
// and slowed binomial forms, the thinned Poisson, the constant-service queue, the quadratic
// exponent, the telescoping form, the displaced binomial mixture and the Stirling distribution,
// over their domains up to where first terms underflow, factorials pass 170 and terms pass the
// double range.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

long double BinomL(long double n, long double p, long double x) {
  if (x < 0 || x > n) return 0;
  return std::exp(LogBinomL(n, x) + x * std::log(p) + (n - x) * std::log1p(-p));
}

// Terms given by their logarithms, normalised through the largest (no overflow in between).
std::vector<long double> AusLogarithmen(const std::vector<long double>& lg, std::size_t klassen) {
  const long double groesster = *std::max_element(lg.begin(), lg.end());
  long double s = 0;
  for (long double v : lg) s += std::exp(v - groesster);
  std::vector<long double> r(klassen);
  for (std::size_t i = 0; i < klassen; ++i) r[i] = std::exp(lg[i] - groesster) / s;
  return r;
}

// Terms r(0..K) from the logarithms of their ratios, the first klassen of them normalised over
// all.
template <typename LogRatio>
std::vector<long double> AusRatios(std::uint32_t K, std::size_t klassen, LogRatio lr) {
  std::vector<long double> lg(K + 1, 0);
  for (std::uint32_t x = 1; x <= K; ++x) lg[x] = lg[x - 1] + lr(static_cast<long double>(x));
  return AusLogarithmen(lg, klassen);
}

TEST(Members153Sweep, CorrectedAndContinuedBinomials) {
  // 153: the cap 4 n (n - 1) p^2/(n p + 1 - p)^2 applied as the member applies it; b = 1e3 is
  // always above it.
  for (double nv : {10.0, 60.0, 1000.0})
    for (std::uint32_t L : {static_cast<std::uint32_t>(nv), static_cast<std::uint32_t>(nv / 2)})
      Sweep(153, Gitter({{0.05, 0.3, 0.9, 0.999}, {0, 0.1, 1e3}}, {nv}, L), Letzte::kRest,
            [](const SweepPunkt& pt) {
              const long double n = pt.fest[0], p = pt.par[0];
              const long double nenner = n * p + 1 - p;
              const long double cap = 4 * n * (n - 1) * p * p / (nenner * nenner);
              const long double b = pt.par[1] >= cap ? cap - 0.1L : pt.par[1];
              return Terme(pt, [&](long double j) {
                return BinomL(n, p, j) * (1 - j * b / (n * p) * (1 - (j - 1) / ((n - 1) * p)));
              });
            });
  // 154: the sum over the trial g of the m-th success, term by term in logarithms.
  for (double mv : {1.0, 3.0, 8.0})
    for (double nv : {10.0, 40.0, 300.0})
      Sweep(
          154,
          Gitter({{0.02, 0.4, 0.95}, {0.01, 0.5, 0.98}}, {mv, nv}, static_cast<std::uint32_t>(nv)),
          Letzte::kRest, [](const SweepPunkt& pt) {
            const long double m = pt.fest[0], n = pt.fest[1], p = pt.par[0], bp = pt.par[1] * p;
            return Terme(pt, [&](long double i) -> long double {
              if (i < m) return BinomL(n, p, i);
              long double s = 0;
              for (long double g = m; g <= m + n - i; ++g)
                s += std::exp(LogBinomL(g - 1, m - 1) + m * std::log(p) + (g - m) * std::log1p(-p) +
                              LogBinomL(n - g, i - m) + (i - m) * std::log(bp) +
                              (n - g - i + m) * std::log1p(-bp));
              return s;
            });
          });
  // 156 and 164: positive terms (m + m/p beyond L, n at least L), from the nearly vanishing to
  // terms far beyond the double range.
  const auto langsamer = [](double b, bool wachsend) {
    return [b, wachsend](const SweepPunkt& pt) {
      const long double p = pt.par[0];
      const long double m = wachsend ? pt.fest[1] : pt.fest[0];
      const long double n = wachsend ? pt.fest[0] : pt.fest[1];
      const long double bb = wachsend ? pt.par[1] : b;
      return AusRatios(pt.L, pt.L + 1, [&](long double i) {
        if (i <= m) return std::log((n - i + 1) * p / i);
        return wachsend ? std::log((n - i + 1) * p / (m + (i - m) * bb))
                        : std::log(p * (n - i + 1) / (m - (i - m) * p));
      });
    };
  };
  for (auto [m, n, L] :
       std::initializer_list<std::array<double, 3>>{{2, 10, 10}, {5, 30, 30}, {10, 10, 10}})
    Sweep(156, Gitter({{0.02, 0.05, 0.15}}, {m, n}, static_cast<std::uint32_t>(L)), Letzte::kRest,
          langsamer(0, false));
  Sweep(156, Gitter({{0.5, 3}}, {10, 10}, 10), Letzte::kRest, langsamer(0, false));
  Sweep(156, Gitter({{1e-3, 0.9}}, {1000, 2000}, 2000), Letzte::kRest, langsamer(0, false));
  for (auto [n, m, L] :
       std::initializer_list<std::array<double, 3>>{{10, 3, 10}, {40, 0, 40}, {2000, 1000, 2000}})
    Sweep(164, Gitter({{1e-3, 0.3, 50}, {0.01, 1.5, 40}}, {n, m}, static_cast<std::uint32_t>(L)),
          Letzte::kRest, langsamer(0, true));
  // 162: class i mixes B(i) and B(i - 1); L up to n + 1, the last value with mass.
  for (double nv : {1.0, 10.0, 200.0})
    for (std::uint32_t L :
         {3u, static_cast<std::uint32_t>(nv / 2) + 1, static_cast<std::uint32_t>(nv) + 1})
      Sweep(162, Gitter({{nv}, {0.01, 0.5, 0.99}, {0.01, 0.5, 0.99}}, {}, L), Letzte::kRest,
            [](const SweepPunkt& pt) {
              const long double n = pt.par[0], p = pt.par[1], w = pt.par[2];
              return Terme(pt, [&](long double i) {
                return (1 - w) * BinomL(n, p, i) + w * BinomL(n, p, i - 1);
              });
            });
}

TEST(Members153Sweep, PoissonForms) {
  // 155: P(i) for i >= m as the sum over the Poisson count x >= i, far past the series' bound.
  for (double mv : {1.0, 2.0, 5.0})
    for (std::uint32_t L : {5u, 40u})
      Sweep(155, Gitter({{0.01, 1, 10, 100, 1000}, {0.01, 0.5, 0.98}}, {mv}, L), Letzte::kRest,
            [](const SweepPunkt& pt) {
              const long double a = pt.par[0], b = pt.par[1], m = pt.fest[0];
              return Terme(pt, [&](long double i) -> long double {
                if (i < m) return PoissonL(a, i);
                const long double bis = i + 2 * a + 60 * std::sqrt(a) + 200;
                long double s = 0;
                for (long double x = i; x <= bis; ++x) {
                  const long double lb =
                      i == m ? 0 : LogBinomL(x - m, i - m) + (i - m) * std::log(b);
                  s += std::exp(-a + x * std::log(a) - std::lgamma(x + 1) + lb +
                                (x - i) * std::log1p(-b));
                }
                return s;
              });
            });
  // 158: a^x q^(x(x-1)), the peak beyond L + 100 for a = 1e4 and q near 1.
  for (std::uint32_t L : {3u, 30u})
    Sweep(158, Gitter({{0.01, 1, 50, 1e4}, {0.01, 0.5, 0.9, 0.98}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& pt) {
            const long double a = pt.par[0], q = pt.par[1];
            std::vector<long double> lg;
            for (long double x = 0; x <= pt.L + 5000; ++x)
              lg.push_back(x * std::log(a) + x * (x - 1) * std::log(q));
            return AusLogarithmen(lg, pt.L + 1);
          });
  // 159: closed forms.
  for (std::uint32_t L : {1u, 2u, 3u, 50u})
    Sweep(159, Gitter({{0.001, 0.5, 0.999}, {0.01, 0.5, 0.99}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& pt) {
            const long double q = pt.par[0], w = pt.par[1];
            return Klassen(pt, [&](std::uint32_t i) -> long double {
              if (i == 0) return (1 - q) * (1 + q * w);
              if (i == 1) return q * (1 - q) * (1 - w);
              return (1 - q) * std::pow(q, static_cast<long double>(i));
            });
          });
  // 160: Poisson, geometric and constant stretches; Int(k + d) below L leaves classes empty; a
  // = 1e100 takes the terms past the double range.
  for (auto [mv, kv, dv] :
       std::initializer_list<std::array<double, 3>>{{3, 6, 10}, {0, 2, 5}, {5, 5, 100}, {3, 6, 2}})
    for (std::uint32_t L : {5u, 20u})
      Sweep(160, Gitter({{0.1, 2, 1e3, 1e100}}, {mv, kv, dv}, L), Letzte::kRest,
            [](const SweepPunkt& pt) {
              const long double a = pt.par[0], m = pt.fest[0], k = pt.fest[1];
              const std::uint32_t K = static_cast<std::uint32_t>(pt.fest[1] + pt.fest[2]);
              std::vector<long double> lg(std::max<std::uint32_t>(K, pt.L) + 1, -1e30L);
              lg[0] = 0;
              for (std::uint32_t x = 1; x <= K; ++x) {
                const long double dx = x;
                lg[x] = lg[x - 1];
                if (x == 1 || dx <= k + 1 || dx <= m) lg[x] += std::log(a);
                if (x >= 2 && dx <= m) lg[x] -= std::log(dx);
              }
              return AusLogarithmen(lg, pt.L + 1);
            });
  // 165: binomial-type up to m, geometric beyond (growing for a > m).
  for (double mv : {1.0, 3.0, 6.0})
    for (std::uint32_t L : {5u, 30u})
      Sweep(165, Gitter({{0.1, 1, 5}, {0.05, 0.5, 2}}, {mv}, L), Letzte::kRest,
            [](const SweepPunkt& pt) {
              const long double a = pt.par[0], b = pt.par[1], m = pt.fest[0];
              return AusRatios(pt.L, pt.L + 1, [&](long double i) {
                if (i == 1) return std::log(m * b + a);
                if (i <= m) return std::log((m + a / b - i + 1) * b / i);
                return std::log(a / m);
              });
            });
  // 166: the series summed far beyond L + 100 where the terms peak there.
  for (double mv : {0.0, 2.0, 10.0})
    for (std::uint32_t L : {3u, 40u})
      Sweep(166, Gitter({{0.1, 3, 500}, {0.01, 0.5, 3}}, {mv}, L), Letzte::kRest,
            [](const SweepPunkt& pt) {
              const long double a = pt.par[0], b = pt.par[1], m = pt.fest[0];
              return AusRatios(pt.L + 200000, pt.L + 1, [&](long double x) {
                if (x <= m) return std::log(a / x);
                return std::log(a / (m + (x - m) * b));
              });
            });
}

TEST(Members153Sweep, QueueTelescopingAndStirling) {
  // 157: the alternating sum in long double, where it still holds its digits (loads of 0.5 and
  // more; the family test covers small loads through the moments).
  for (std::uint32_t L : {2u, 3u, 8u, 12u})
    Sweep(157, Gitter({{0.5, 0.7, 0.9, 0.98}}, {}, L), Letzte::kRest, [](const SweepPunkt& pt) {
      const long double a = pt.par[0];
      return Klassen(pt, [&](std::uint32_t i) -> long double {
        if (i == 0) return 1 - a;
        if (i == 1) return (1 - a) * std::expm1(a);
        long double s = 0;
        for (std::uint32_t f = 1; f <= i; ++f) {
          const long double fa = f * a;
          long double t = std::pow(fa, static_cast<long double>(i - f)) / std::tgamma(i - f + 1.0L);
          if (f < i)
            t += std::pow(fa, static_cast<long double>(i - f - 1)) / std::tgamma(i - f + 0.0L);
          s += ((i - f) % 2 ? -1 : 1) * std::exp(fa) * t;
        }
        return (1 - a) * s;
      });
    });
  // 161: the written difference in long double, normalised over the classes; a = 20 is above
  // every 1/q and is lowered to 1/q - 0.1.
  for (std::uint32_t L : {1u, 10u, 200u})
    Sweep(161, Gitter({{0.1, 1, 20}, {0, 1, 10}, {0.1, 0.5, 0.999}}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& pt) {
            const long double q = pt.par[2], b = pt.par[1];
            const long double a = pt.par[0] >= 1 / q ? 1 / q - 0.1L : pt.par[0];
            std::vector<long double> r(pt.L + 1);
            for (std::uint32_t i = 0; i <= pt.L; ++i) {
              const long double x = i + 1.0L;
              r[i] = i == 0 ? 1 - q * a / (b + 1)
                            : std::pow(q, x - 1) * a * (1 / (x + b - 1) - q / (x + b));
            }
            return Normiert(r);
          });
  // 163: m! S(x, m) a^x / (x! (e^a - 1)^m) with S from its triangle in long double, up to
  // values where S leaves the double range.
  for (auto [mv, L] : std::initializer_list<std::array<std::uint32_t, 2>>{
           {1, 1}, {1, 10}, {2, 10}, {5, 300}, {2, 1200}, {20, 1200}})
    Sweep(163, Gitter({{0.01, 1, 5, 50}}, {static_cast<double>(mv)}, L, mv), Letzte::kRest,
          [](const SweepPunkt& pt) {
            const std::uint32_t m = pt.x0;
            const std::uint32_t xmax = m + pt.L;
            std::vector<long double> S(m + 1, 0);  // row x of the triangle, columns 0..m
            S[0] = 1;
            std::vector<long double> logS(xmax + 1, 0);
            for (std::uint32_t x = 1; x <= xmax; ++x) {
              for (std::uint32_t j = std::min(x, m); j > 0; --j) S[j] = j * S[j] + S[j - 1];
              S[0] = 0;
              logS[x] = std::log(S[m]);
            }
            if (m == 0) logS[0] = 0;
            const long double a = pt.par[0];
            const long double logNenner = m * std::log(std::expm1(a));
            return Klassen(pt, [&](std::uint32_t i) {
              const long double x = m + i;
              return std::exp(std::lgamma(m + 1.0L) + logS[m + i] + x * std::log(a) -
                              std::lgamma(x + 1) - logNenner);
            });
          });
}

}  // namespace
}  // namespace vk::test
