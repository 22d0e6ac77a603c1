// SPDX-License-Identifier: GPL-3.0-or-later
// Negative binomial family (members 4, 5, 8, 25, 26, 27) over their domains against long-double
// probabilities from lgamma: k from nearly 0 (a logarithmic-like tail) to thousands, p from the
// catalog's lower bound (where p^k underflows or the truncated terms would overflow) to a hair
// below 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// log of C(k + v - 1, v) p^k (1 - p)^v.
long double LogNB(long double k, long double p, long double v) {
  return std::lgamma(k + v) - std::lgamma(k) - std::lgamma(v + 1) + k * std::log(p) +
         v * std::log1p(-p);
}

std::vector<long double> NB(long double k, long double p, std::uint32_t L, std::uint32_t ab = 0) {
  std::vector<long double> r(L + 1);
  for (std::uint32_t i = 0; i <= L; ++i) r[i] = std::exp(LogNB(k, p, i + ab));
  return r;
}

const std::vector<double> kK{1e-3, 0.5, 1, 7.5, 100, 2000};
const std::vector<double> kP{1e-4, 0.01, 0.3, 0.9, 0.9999};
const std::vector<std::uint32_t> kL{0, 2, 30, 1500};

TEST(NegativeBinomialFamilySweep, NegativeBinomial) {
  for (std::uint32_t nummer : {4u, 27u})
    for (std::uint32_t L : kL)
      Sweep(nummer, Gitter({kK, kP}, {}, L), Letzte::kRest,
            [](const SweepPunkt& p) { return NB(p.par[0], p.par[1], p.L); });
  for (std::uint32_t L : kL)
    for (double k : kK)
      Sweep(26, Gitter({kP}, {k}, L), Letzte::kRest,
            [](const SweepPunkt& p) { return NB(p.fest[0], p.par[0], p.L); });
}

// Normalised over 0..L in logarithms relative to the largest term, so that nothing overflows.
TEST(NegativeBinomialFamilySweep, RightTruncated) {
  for (std::uint32_t L : {1u, 2u, 30u, 1500u})
    Sweep(5, Gitter({kK, kP}, {}, L), Letzte::kRest, [](const SweepPunkt& p) {
      std::vector<long double> l(p.L + 1);
      for (std::uint32_t i = 0; i <= p.L; ++i) l[i] = LogNB(p.par[0], p.par[1], i);
      const long double grosst = *std::max_element(l.begin(), l.end());
      for (long double& v : l) v = std::exp(v - grosst);
      return Normiert(l);
    });
}

TEST(NegativeBinomialFamilySweep, Geometric) {
  for (std::uint32_t L : kL)
    Sweep(8, Gitter({{1e-4, 0.01, 0.5, 0.9999}}, {}, L), Letzte::kRest,
          [](const SweepPunkt& p) { return NB(1, p.par[0], p.L); });
}

// Classes from the value 1.
TEST(NegativeBinomialFamilySweep, Positive) {
  for (std::uint32_t L : kL)
    Sweep(25, Gitter({kK, kP}, {}, L, 1), Letzte::kRest, [](const SweepPunkt& p) {
      const long double k = p.par[0], pp = p.par[1];
      std::vector<long double> r = NB(k, pp, p.L, 1);
      const long double oben = -std::expm1(k * std::log(pp));
      for (long double& v : r) v /= oben;
      return r;
    });
}

}  // namespace
}  // namespace vk::test
