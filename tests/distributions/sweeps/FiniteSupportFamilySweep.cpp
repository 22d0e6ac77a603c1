// SPDX-License-Identifier: GPL-3.0-or-later
// Members with a finite support or truncated at the last class (32, 33, 52, 54, 55) over their
// domains against long-double probabilities: supports of one class to a few thousand, ratios
// well below and above 1, loads that push the mass to the upper end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// exp(logTerm(i)) for i = 0..L normalised, the largest term taken as the unit.
std::vector<long double> NormiertLog(const SweepPunkt& p, auto logTerm) {
  std::vector<long double> l(p.L + 1);
  for (std::uint32_t i = 0; i <= p.L; ++i) l[i] = logTerm(static_cast<long double>(i));
  const long double oben = *std::max_element(l.begin(), l.end());
  for (long double& v : l) v = std::exp(v - oben);
  return Normiert(l);
}

// Values from 1; n/(n + b - 1) prod_{v=2}^{x} (n - v + 1)(v - 1)/(v (n + b - v)) in closed form.
TEST(FiniteSupportFamilySweep, BetaHarmonic) {
  for (std::uint32_t L : {0u, 1u, 10u, 200u})
    for (double extra : {1.0, 20.0})
      Sweep(32, Gitter({{1e-3, 0.4, 1, 7, 300}}, {L + extra}, L, 1), Letzte::kPunkt,
            [](const SweepPunkt& s) {
              const long double b = s.par[0], n = s.fest[0];
              return NormiertLog(s, [&](long double i) {
                const long double x = i + 1;
                return std::lgamma(n + b - x) - std::log(x) - std::lgamma(n - x + 1);
              });
            });
}

// C(n, i) a^i up to m servers, n!/((n - i)! m! m^(i - m)) a^i beyond.
TEST(FiniteSupportFamilySweep, FiniteSourceQueue) {
  std::vector<SweepPunkt> punkte;
  for (double m : {1.0, 4.0, 30.0})
    for (double n : {m + 1, 60.0, 400.0})
      for (std::uint32_t L : {0u, 2u, 30u, 400u})
        for (double a : {1e-3, 0.05, 0.5, 3.0})
          if (L <= n) punkte.push_back({{a}, {m, n}, L});
  Sweep(33, punkte, Letzte::kRest, [](const SweepPunkt& s) {
    const long double a = s.par[0], m = s.fest[0], n = s.fest[1];
    return NormiertLog(s, [&](long double i) {
      const long double gemeinsam = std::lgamma(n + 1) - std::lgamma(n - i + 1) + i * std::log(a);
      if (i <= m) return gemeinsam - std::lgamma(i + 1);
      return gemeinsam - std::lgamma(m + 1) - (i - m) * std::log(m);
    });
  });
}

// a^i (n - 2)!/(n - 2 - i)!.
TEST(FiniteSupportFamilySweep, ReflectedTruncatedPoisson) {
  for (std::uint32_t L : {0u, 2u, 30u, 300u})
    for (double extra : {2.0, 10.0, 2.0 * L + 50})
      Sweep(52, Gitter({{1e-3, 0.05, 0.5, 5}}, {L + extra}, L), Letzte::kPunkt,
            [](const SweepPunkt& s) {
              const long double a = s.par[0], n = s.fest[0];
              return NormiertLog(s, [&](long double i) {
                return i * std::log(a) + std::lgamma(n - 1) - std::lgamma(n - 1 - i);
              });
            });
}

// p^i / sum_{j=0}^{n} p^j, the last class holding the values L..n.
TEST(FiniteSupportFamilySweep, TruncatedGeometric) {
  for (std::uint32_t L : {0u, 1u, 30u, 1000u})
    for (double extra : {0.0, 5.0})
      Sweep(54, Gitter({{1e-3, 0.5, 0.999999, 1, 1.000001, 1.5}}, {L + extra}, L), Letzte::kRest,
            [](const SweepPunkt& s) {
              const long double p = s.par[0], n = s.fest[0];
              long double S = 0;
              for (long double j = 0; j <= n; ++j) S += std::pow(p, j);
              std::vector<long double> r(s.L + 1);
              for (std::uint32_t i = 0; i <= s.L; ++i) r[i] = std::pow(p, i) / S;
              return r;
            });
}

TEST(FiniteSupportFamilySweep, TruncatedLogarithmic) {
  for (std::uint32_t L : {0u, 1u, 30u, 2000u})
    Sweep(55, Gitter({{1e-3, 0.5, 1, 1.5, 4}}, {}, L, 1), Letzte::kPunkt, [](const SweepPunkt& s) {
      const long double a = s.par[0];
      return NormiertLog(s, [&](long double i) { return (i + 1) * std::log(a) - std::log(i + 1); });
    });
}

}  // namespace
}  // namespace vk::test
