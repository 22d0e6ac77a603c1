// SPDX-License-Identifier: GPL-3.0-or-later
// Laws whose support ends inside the data, and an approximation that must be normalised: beyond
// the last value of the support every class is 0, and the table sums to N. Each member once wrote
// mass there (a ratio or a difference running on past the support, a formula applied to every
// class), so that its classes summed above N while the fit reported OK.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/MemberCheck.h"

namespace vk::test {
namespace {

// C(x - a, x) = Gamma(x - a + 1)/(Gamma(x + 1) Gamma(1 - a)) through lgamma, for a < 1.
double LogSteigend(double a, double x) {
  return std::lgamma(x - a + 1) - std::lgamma(x + 1) - std::lgamma(1 - a);
}

// 1 + 1/2 + ... + 1/k, summed from the small terms up.
double Harmonisch(int k) {
  double s = 0;
  for (int j = k; j >= 1; --j) s += 1.0 / j;
  return s;
}

struct FallendeQuote {
  double a, b;
  std::uint32_t L;
};

// Member 219: P(x) = C(x - a, x)/C(b - a, b - 1) on 0..b-1 (the normaliser is the hockey-stick
// sum of the numerators), 0 from b on.
TEST(SupportEnd, FallingRatioIsZeroFromB) {
  for (const FallendeQuote c : {FallendeQuote{0, 11, 12}, FallendeQuote{0.5, 11, 12},
                                FallendeQuote{-2, 6, 15}, FallendeQuote{0.9, 3, 9}}) {
    const double logNorm = std::lgamma(c.b - c.a + 1) - std::lgamma(c.b) - std::lgamma(2 - c.a);
    MitReferenzVergleichen(
        "a=" + std::to_string(c.a), 219, {c.a, c.b}, {}, 39, c.L, 0, Letzte::kRest,
        [&](std::uint32_t x) { return x < c.b ? std::exp(LogSteigend(c.a, x) - logNorm) : 0.0; });
  }
}

// Member 206: P(x) = 1/(x psi_k) on the values 1..k, class i holding i + 1; the data reach k, so
// every class is its own probability and the last ones are 0.
TEST(SupportEnd, HarmonicIsZeroBeyondK) {
  for (const int k : {1, 5, 13}) {
    MitReferenzVergleichen("k=" + std::to_string(k), 206, {static_cast<double>(k)}, {}, 68, 13, 1,
                           Letzte::kPunkt, [&](std::uint32_t i) {
                             return static_cast<int>(i) < k ? 1 / ((i + 1) * Harmonisch(k)) : 0.0;
                           });
  }
}

// Member 218: the uniform law on 0..m-1 with weight a/(a + b) and the mixture of the uniform laws
// on 0..k-1, k = 1..m, with weight b/(a + b): P(x) = (a + b (psi_m - psi_x))/((a + b) m) below m,
// 0 from m on.
TEST(SupportEnd, UniformSharesAreZeroFromM) {
  struct Fall {
    double a, b;
    int m;
  };
  for (const Fall c : {Fall{1.5, 2, 10}, Fall{0.2, 5, 4}, Fall{3, 0.5, 12}}) {
    MitReferenzVergleichen("m=" + std::to_string(c.m), 218, {c.a, c.b, static_cast<double>(c.m)},
                           {}, 39, 12, 0, Letzte::kRest, [&](std::uint32_t x) {
                             const int xi = static_cast<int>(x);
                             if (xi >= c.m) return 0.0;
                             return (c.a + c.b * (Harmonisch(c.m) - Harmonisch(xi))) /
                                    ((c.a + c.b) * c.m);
                           });
  }
}

// Member 201's terms as written, in long double straight from the closed forms: the binomial
// weight through lgamma, T_w from the four lambdas, the inner sum term by term with rising
// factorials through lgamma. Its sum over 0..m is about 1.01 to 1.06.
long double Term201(long double p0, long double p1, long double c, int m, int w) {
  const auto lambda = [](long double z) { return (z - 0.5L) * std::log(z); };
  const long double g = p0 + p1 + m - w;
  const long double T =
      std::exp(lambda(p0 + p1) + lambda(std::fabs(m + p1 - w)) - lambda(p1) - lambda(g));
  const long double logB = std::lgamma(m + 1.0L) - std::lgamma(w + 1.0L) -
                           std::lgamma(m - w + 1.0L) + w * std::log(1 / c) +
                           (m - w) * std::log(1 - 1 / c);
  long double reihe = 0;
  for (int j = 0; j <= w; ++j) {
    const long double logT = std::lgamma(w + 1.0L) - std::lgamma(j + 1.0L) -
                             std::lgamma(w - j + 1.0L) + std::lgamma(p0 + j) - std::lgamma(p0) +
                             j * std::log(c - 1) - std::lgamma(g + j) + std::lgamma(g);
    reihe += std::exp(logT);
  }
  return std::exp(logB) * T * reihe;
}

// Member 201 on the values 0..m: its approximate terms divided by their sum, so that the table
// holds N (it once summed to 314.95 for N = 310 at p0 = 2, p1 = 3, c = 3, m = 30).
TEST(SupportEnd, GammaRatioSumIsNormalised) {
  struct Fall {
    double p0, p1, c;
    int m;
  };
  for (const Fall f : {Fall{2, 3, 3, 30}, Fall{0.5, 1.5, 2, 12}, Fall{4, 1, 5, 20}}) {
    std::vector<long double> t(static_cast<std::size_t>(f.m) + 1);
    long double S = 0;
    for (int w = 0; w <= f.m; ++w)
      S += t[static_cast<std::size_t>(w)] = Term201(f.p0, f.p1, f.c, f.m, w);
    EXPECT_GT(S, 1.001L) << "the terms alone are no distribution";
    MitReferenzVergleichen("m=" + std::to_string(f.m), 201, {f.p0, f.p1, static_cast<double>(f.m)},
                           {f.c}, 310, static_cast<std::uint32_t>(f.m), 0, Letzte::kRest,
                           [&](std::uint32_t w) { return static_cast<double>(t[w] / S); });
  }
}

}  // namespace
}  // namespace vk::test
