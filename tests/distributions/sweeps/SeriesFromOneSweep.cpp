// SPDX-License-Identifier: GPL-3.0-or-later
// Members on the values from 1 or from the data's first value (59, 60, 62, 63, 64, 66, 67)
// against long-double probabilities: parameters near the ends of their domains (a logarithmic a
// near 0 and near 1, a geometric p at and around 1), long supports, first values above 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

template <typename F>
std::vector<long double> ProWert(const SweepPunkt& p, F f) {
  std::vector<long double> r(p.L + 1);
  for (std::uint32_t i = 0; i <= p.L; ++i) r[i] = f(static_cast<long double>(p.x0 + i));
  return r;
}

TEST(SeriesFromOneSweep, YuleSimon) {
  for (std::uint32_t L : {5u, 40u, 1000u})
    Sweep(59, Gitter({{-0.9, -0.5, 0, 1.5, 10, 300}}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double rho = p.par[0] + 1.0L;
            return ProWert(p, [&](long double x) {
              return rho *
                     std::exp(std::lgamma(x) + std::lgamma(rho + 1) - std::lgamma(x + rho + 1));
            });
          });
}

TEST(SeriesFromOneSweep, LeftTruncatedLogarithmic) {
  for (double n : {2.0, 5.0, 30.0})
    for (std::uint32_t L : {5u, 60u})
      Sweep(60, Gitter({{1e-3, 0.3, 0.7, 0.99, 0.999}}, {n}, L, static_cast<std::uint32_t>(n)),
            Letzte::kRest, [](const SweepPunkt& p) {
              const long double a = p.par[0];
              const auto n0 = static_cast<std::uint32_t>(p.fest[0]);
              // D = sum_{j >= n} a^j / j, directly.
              long double D = 0;
              for (std::uint32_t j = n0;; ++j) {
                const long double t = std::pow(a, static_cast<long double>(j)) / j;
                D += t;
                if (t < D * 1e-25L) break;
              }
              return ProWert(p, [&](long double x) { return std::pow(a, x) / (x * D); });
            });
}

TEST(SeriesFromOneSweep, Logarithmic) {
  for (std::uint32_t L : {5u, 40u, 1000u})
    Sweep(62, Gitter({{1e-8, 1e-3, 0.3, 0.9, 0.999}}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0];
            return ProWert(p,
                           [&](long double x) { return -std::pow(a, x) / (x * std::log1p(-a)); });
          });
}

TEST(SeriesFromOneSweep, WaringRhoOne) {
  for (std::uint32_t L : {5u, 40u, 1000u})
    Sweep(63, Gitter({{1e-3, 0.5, 3, 100, 1e4}}, {}, L, 1), Letzte::kRest, [](const SweepPunkt& p) {
      const long double a = p.par[0];
      return ProWert(p, [&](long double x) { return a / ((x + a - 1) * (x + a)); });
    });
}

TEST(SeriesFromOneSweep, OddPowerZeta) {
  for (std::uint32_t L : {5u, 40u, 1000u})
    Sweep(64, Gitter({{1e-4, 0.05, 1.2, 5, 60, 900}}, {}, L, 1), Letzte::kRest,
          [](const SweepPunkt& p) {
            const long double a = p.par[0];
            return ProWert(p, [&](long double x) {
              return std::pow(2 * x - 1, -a) - std::pow(2 * x + 1, -a);
            });
          });
}

TEST(SeriesFromOneSweep, DoublyTruncatedGeometric) {
  // The support x0..x0+L exactly: F0 = x0, F1 = x0 + L.
  for (std::uint32_t x0 : {1u, 7u})
    for (std::uint32_t L : {5u, 40u, 1000u}) {
      const Fest fest{1.0 * x0, 1.0 * x0 + L};
      Sweep(66, Gitter({{1e-3, 0.5, 0.999999, 1, 1.000001, 2, 50}}, fest, L, x0), Letzte::kPunkt,
            [](const SweepPunkt& p) {
              const long double lp = std::log(static_cast<long double>(p.par[0]));
              std::vector<long double> t(p.L + 1);
              for (std::uint32_t i = 0; i <= p.L; ++i) t[i] = i * lp;
              const long double c = *std::max_element(t.begin(), t.end());
              for (long double& v : t) v = std::exp(v - c);
              return Normiert(t);
            });
    }
}

TEST(SeriesFromOneSweep, TruncatedLogarithmicFromFirstValue) {
  for (std::uint32_t x0 : {1u, 5u})
    for (std::uint32_t L : {5u, 40u, 1000u})
      Sweep(67, Gitter({{1e-3, 0.5, 1, 1.5, 10}}, {}, L, x0), Letzte::kPunkt,
            [](const SweepPunkt& p) {
              const long double la = std::log(static_cast<long double>(p.par[0]));
              std::vector<long double> t(p.L + 1);
              for (std::uint32_t i = 0; i <= p.L; ++i) {
                const long double x = p.x0 + i;
                t[i] = x * la - std::log(x);
              }
              const long double c = *std::max_element(t.begin(), t.end());
              for (long double& v : t) v = std::exp(v - c);
              return Normiert(t);
            });
}

}  // namespace
}  // namespace vk::test
