// SPDX-License-Identifier: GPL-3.0-or-later
// On many classes a convolution member may leave out the classes it has proved below 1e-300 N:
// the classes it keeps are those of the written recurrence, checked against the probabilities on
// an independent route (the direct sum over the number of clusters, in logarithms); the first
// class it leaves out is below 1e-300 N on that route; a heavy tail is not cut at all. Members 119
// (Thomas), 174 (Neyman type A plus Poisson), 39 (geometric-Pascal), 106 (geometric-Poisson; 107
// is its case a = 1), 157 (queue with constant service time) and 180 (Lagrangian negative
// binomial).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <vector>

#include "tests/distributions/MemberCheck.h"

namespace vk::test {
namespace {

// ln P(x) of the Thomas distribution: k ~ Poisson(lambda) clusters of 1 + Poisson(phi) each, so
// X = k + Poisson(k phi) and P(x) = sum_k Poisson(k; lambda) Poisson(x - k; k phi).
double LogThomas(double lambda, double phi, std::uint32_t x) {
  const auto logPois = [](double a, double j) {
    return j == 0 ? -a : -a + j * std::log(a) - std::lgamma(j + 1);
  };
  if (x == 0) return -lambda;
  double groesster = -std::numeric_limits<double>::infinity();
  for (std::uint32_t k = 1; k <= x; ++k)
    groesster = std::max(groesster, logPois(lambda, k) + logPois(k * phi, x - k));
  double summe = 0;
  for (std::uint32_t k = 1; k <= x; ++k)
    summe += std::exp(logPois(lambda, k) + logPois(k * phi, x - k) - groesster);
  return groesster + std::log(summe);
}

constexpr double kLog1em300 = -690.77552789821368;  // ln 1e-300
constexpr std::uint32_t kL = 20000;

// The first class of the run of zeros that reaches the last class but one (kL where none).
std::uint32_t ErsteNull(const Erwartungswerte& NP) {
  std::uint32_t schnitt = kL;
  while (schnitt > 0 && NP[schnitt - 1] == 0) --schnitt;
  return schnitt;
}

struct Fall {
  double lambda, phi;
  bool geschnitten;  // light enough a tail for the classes far below L to be cut
};

TEST(CutAtTinyClasses, ThomasKeepsEveryClassAbove1em300N) {
  const double N = 15265;
  for (const Fall& f : {Fall{2, 1, true}, Fall{5, 0.5, true}, Fall{0.5, 3, true}, Fall{20, 2, true},
                        Fall{3, 2000, false}}) {
    SCOPED_TRACE(testing::Message() << "lambda " << f.lambda << ", phi " << f.phi);
    Parametervektor par{f.lambda, f.phi};
    const Lauf l = Auswerten(119, par, {}, kL, 0, N);
    ASSERT_FALSE(l.fehler);
    const Erwartungswerte& NP = *l.NP;
    const std::uint32_t schnitt = ErsteNull(NP);
    EXPECT_NEAR(Summe(NP, kL), N, kTight * N);
    if (!f.geschnitten) {
      EXPECT_EQ(schnitt, kL);
      EXPECT_TRUE(Near(NP[kL - 1], N * std::exp(LogThomas(f.lambda, f.phi, kL - 1)), kLogRoute));
      continue;
    }
    ASSERT_LT(schnitt, kL);
    // Left out: below 1e-300 N on the independent route, there and further on.
    EXPECT_LT(LogThomas(f.lambda, f.phi, schnitt), kLog1em300);
    EXPECT_LT(LogThomas(f.lambda, f.phi, schnitt + 100), kLog1em300);
    // Kept: every class up to the last above 1e-290 N agrees with the independent route.
    for (std::uint32_t x = 0; x < schnitt; ++x) {
      const double log = LogThomas(f.lambda, f.phi, x);
      if (log < kLog1em300 + 23) break;  // below 1e-290: subnormal neighbourhood
      EXPECT_TRUE(Near(NP[x], N * std::exp(log), kLogRoute)) << "x=" << x;
    }
  }
}

double LogPoisson(double a, double j) {
  return j == 0 ? (a == 0 ? 0 : -a) : -a + j * std::log(a) - std::lgamma(j + 1);
}

// ln of a sum of exponentials, from the largest term.
double LogSumme(const std::vector<double>& logs) {
  const double groesster = *std::max_element(logs.begin(), logs.end());
  if (std::isinf(groesster)) return groesster;
  double summe = 0;
  for (double l : logs) summe += std::exp(l - groesster);
  return groesster + std::log(summe);
}

// ln P(x) for x = 0..bis of Neyman type A (a, b) plus Poisson(c): NA(y) = sum_k Poisson(k; a)
// Poisson(y; k b) over k = 0..3000, then the convolution with Poisson(c), all in logarithms.
std::vector<double> LogNeymanAPlusPoisson(double a, double b, double c, std::uint32_t bis) {
  std::vector<double> na(bis + 1), p(bis + 1), terme;
  for (std::uint32_t y = 0; y <= bis; ++y) {
    terme.clear();
    for (std::uint32_t k = 0; k <= 3000; ++k)
      terme.push_back(k == 0 ? (y == 0 ? -a : -INFINITY) : LogPoisson(a, k) + LogPoisson(k * b, y));
    na[y] = LogSumme(terme);
  }
  for (std::uint32_t x = 0; x <= bis; ++x) {
    terme.clear();
    for (std::uint32_t m = 0; m <= x; ++m) terme.push_back(na[x - m] + LogPoisson(c, m));
    p[x] = LogSumme(terme);
  }
  return p;
}

// ln P(x) for x = 0..bis of the geometric(c) stopped sum of NB(k, p) summands: n summands sum to
// NB(n k, p), so P(x) = sum_n c (1 - c)^n NB(x; n k, p) over the n with (1 - c)^n above e^-1000.
std::vector<double> LogGeometrischPascal(double k, double p, double c, std::uint32_t bis) {
  std::vector<double> ergebnis(bis + 1), terme;
  for (std::uint32_t x = 0; x <= bis; ++x) {
    terme.clear();
    for (std::uint32_t n = 0; n <= 1000 / -std::log1p(-c); ++n) {
      const double r = n * k;
      const double logNB = n == 0 ? (x == 0 ? 0 : -INFINITY)
                                  : std::lgamma(r + x) - std::lgamma(r) - std::lgamma(x + 1.0) +
                                        r * std::log(p) + x * std::log1p(-p);
      terme.push_back(std::log(c) + n * std::log1p(-c) + logNB);
    }
    ergebnis[x] = LogSumme(terme);
  }
  return ergebnis;
}

// ln P(x) for x = 0..bis of the geometric(b) stopped sum of Poisson(a) summands:
// P(x) = sum_n (1 - b) b^n Poisson(x; n a) over the n with b^n above e^-1000.
std::vector<double> LogGeometrischPoisson(double a, double b, std::uint32_t bis) {
  std::vector<double> ergebnis(bis + 1), terme;
  for (std::uint32_t x = 0; x <= bis; ++x) {
    terme.clear();
    for (std::uint32_t n = 0; n <= 1000 / -std::log(b); ++n)
      terme.push_back(std::log1p(-b) + n * std::log(b) + LogPoisson(n * a, x));
    ergebnis[x] = LogSumme(terme);
  }
  return ergebnis;
}

struct Schnittfall {
  std::uint32_t nummer;
  double a, b, c;
  bool geschnitten;
};

// The same checks as for the Thomas distribution, on an independent route computed up to 100
// classes beyond the cut.
TEST(CutAtTinyClasses, ConvolutionMembersKeepEveryClassAbove1em300N) {
  const double N = 15265;
  const Schnittfall faelle[] = {
      {174, 2, 1, 1, true},     {174, 5, 0.5, 3, true},        {174, 0.5, 3, 0.2, true},
      {174, 3, 2000, 1, false}, {39, 2, 0.7, 0.5, true},       {39, 0.5, 0.5, 0.6, true},
      {39, 5, 0.9, 0.5, true},  {39, 0.3, 0.001, 0.01, false}, {106, 1, 0.6, 0, true},
      {106, 1.5, 0.05, 0, true}, {106, 2, 0.9999, 0, false}};
  for (const Schnittfall& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.nummer << ": " << f.a << ", " << f.b << ", " << f.c);
    Parametervektor par{f.a, f.b, f.c};
    const Lauf l = Auswerten(f.nummer, par, {}, kL, 0, N);
    ASSERT_FALSE(l.fehler);
    const Erwartungswerte& NP = *l.NP;
    const std::uint32_t schnitt = ErsteNull(NP);
    EXPECT_NEAR(Summe(NP, kL), N, kTight * N);
    if (!f.geschnitten) {
      EXPECT_EQ(schnitt, kL);
      continue;
    }
    ASSERT_LT(schnitt, 2000u);
    const std::vector<double> logP =
        f.nummer == 174  ? LogNeymanAPlusPoisson(f.a, f.b, f.c, schnitt + 100)
        : f.nummer == 39 ? LogGeometrischPascal(f.a, f.b, f.c, schnitt + 100)
                         : LogGeometrischPoisson(f.a, f.b, schnitt + 100);
    EXPECT_LT(logP[schnitt], kLog1em300);
    EXPECT_LT(logP[schnitt + 100], kLog1em300);
    for (std::uint32_t x = 0; x < schnitt; ++x) {
      if (logP[x] < kLog1em300 + 23) break;  // below 1e-290: subnormal neighbourhood
      EXPECT_TRUE(Near(NP[x], N * std::exp(logP[x]), kLogRoute)) << "x=" << x;
    }
  }
}

// Member 157 (queue with constant service time): classes against the alternating sum of its
// probability function in mpmath at mp.dps = 1200, which carries it through its cancellation:
//   (1-a)*sum((-1)**(i-f)*exp(f*a)*((f*a)**(i-f)/factorial(i-f)
//                                   + (f*a)**(i-f-1)/factorial(i-f-1)) for f in 1..i)
// (the second term left out for f = i), times N = 1000. Where that is below 1e-300 N (the classes
// from 380 on for a = 0.3, from 580 on for a = 0.5) the class is below 1e-300 N too, cut or not;
// a load near 1 has a tail too heavy for any cut below L.
TEST(CutAtTinyClasses, QueueKeepsEveryClassAbove1em300N) {
  struct Warteschlangenfall {
    double a;
    std::uint32_t x;
    double erwartet;  // 0: below 1e-300 N
  };
  const Warteschlangenfall faelle[] = {{0.3, 5, 0.11632703234504330812},
                                       {0.3, 100, 7.6692131480285646979e-87},
                                       {0.3, 380, 0},
                                       {0.3, 432, 0},
                                       {0.3, 2000, 0},
                                       {0.5, 5, 3.1067463458068394554},
                                       {0.5, 200, 1.2250141841655088006e-106},
                                       {0.5, 580, 0},
                                       {0.5, 632, 0}};
  for (const Warteschlangenfall& f : faelle) {
    SCOPED_TRACE(testing::Message() << "a " << f.a << ", x " << f.x);
    Parametervektor par{f.a};
    const Lauf l = Auswerten(157, par, {}, kL, 0, 1000);
    ASSERT_FALSE(l.fehler);
    EXPECT_NEAR(Summe(*l.NP, kL), 1000, kTight * 1000);
    if (f.erwartet == 0) {
      EXPECT_LT((*l.NP)[f.x], 1e-300 * 1000);
    } else {
      EXPECT_TRUE(Near((*l.NP)[f.x], f.erwartet, kLogRoute)) << (*l.NP)[f.x];
    }
  }
  Parametervektor schwer{0.999};
  const Lauf l = Auswerten(157, schwer, {}, kL, 0, 1000);
  ASSERT_FALSE(l.fehler);
  EXPECT_GT((*l.NP)[kL - 2], 0);
}

// Member 180 (Lagrangian negative binomial, equal shape): ln P(x) from the closed form by
// log-gamma functions, ln C((x + 1) a, x) - ln(x + 1) + x ln p + ((x + 1) a - x) ln(1 - p); a p
// near 1 has a tail too heavy for any cut below L.
double LogLagrangeNB(double a, double p, std::uint32_t x) {
  const double y = (x + 1.0) * a;
  return std::lgamma(y + 1) - std::lgamma(x + 1.0) - std::lgamma(y - x + 1) - std::log(x + 1.0) +
         x * std::log(p) + (y - x) * std::log1p(-p);
}

TEST(CutAtTinyClasses, LagrangianNegativeBinomialKeepsEveryClassAbove1em300N) {
  struct Lagrangefall {
    double a, p;
    bool geschnitten;
  };
  const double N = 15265;
  for (const Lagrangefall& f : {Lagrangefall{1.5, 0.3, true}, Lagrangefall{3, 0.1, true},
                                Lagrangefall{1, 0.5, true}, Lagrangefall{2, 0.4999, false}}) {
    SCOPED_TRACE(testing::Message() << "a " << f.a << ", p " << f.p);
    Parametervektor par{f.a, f.p};
    const Lauf l = Auswerten(180, par, {}, kL, 0, N);
    ASSERT_FALSE(l.fehler);
    const Erwartungswerte& NP = *l.NP;
    const std::uint32_t schnitt = ErsteNull(NP);
    EXPECT_NEAR(Summe(NP, kL), N, kTight * N);
    if (!f.geschnitten) {
      EXPECT_EQ(schnitt, kL);
      continue;
    }
    ASSERT_LT(schnitt, kL);
    EXPECT_LT(LogLagrangeNB(f.a, f.p, schnitt), kLog1em300);
    EXPECT_LT(LogLagrangeNB(f.a, f.p, schnitt + 100), kLog1em300);
    for (std::uint32_t x = 0; x < schnitt; ++x) {
      const double log = LogLagrangeNB(f.a, f.p, x);
      if (log < kLog1em300 + 23) break;  // below 1e-290: subnormal neighbourhood
      EXPECT_TRUE(Near(NP[x], N * std::exp(log), kLogRoute)) << "x=" << x;
    }
  }
}

}  // namespace
}  // namespace vk::test
