// SPDX-License-Identifier: GPL-3.0-or-later
// Modified binomial and negative binomial forms: members 89 and 90 (a share of class 1 moved to
// class 0, n fixed or free), 91 (zero-modified positive binomial), 92 (positive binomial with a
// share of one moved to zero), 93 (right-truncated binomial), 94 (binomial inflated at m), 95
// (zero-modified positive negative binomial).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/FpFault.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/SchaetzCheck.h"
#include "tests/distributions/StartCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Fest;
using test::Letzte;
using test::Near;

double Bin(double n, double p, double i) {
  if (i > n) return 0;
  return std::exp(test::LogBinomial(n, i) + i * std::log(p) + (n - i) * std::log1p(-p));
}

// The binomial with the share b of its class 1 added to class 0.
double Anteil(double n, double p, double b, double i) {
  if (i == 0) return Bin(n, p, 0) + b * Bin(n, p, 1);
  if (i == 1) return (1 - b) * Bin(n, p, 1);
  return Bin(n, p, i);
}

// Zero-modified forms: class 0 gets 1 - b, the positive part of the distribution the rest.
double NullModBin(double n, double p, double b, double i) {
  return i == 0 ? 1 - b : b * Bin(n, p, i) / (1 - Bin(n, p, 0));
}
double NullModNB(double k, double p, double b, double i) {
  return i == 0 ? 1 - b : b * test::NB(k, p, i) / (1 - std::pow(p, k));
}
// The share form truncated at 0, on the values v >= 1.
double PositivAnteil(double n, double p, double b, double v) {
  return Anteil(n, p, b, v) / (1 - Anteil(n, p, b, 0));
}
double Inflation(double n, double p, double b, double m, double i) {
  return b * Bin(n, p, i) + (i == m ? 1 - b : 0);
}

struct Referenzfall {
  const char* name;
  std::uint32_t nummer;
  Parametervektor par;
  Fest fest;
  std::uint32_t L;
  std::uint32_t x0;
  std::function<double(double)> pmf;
};

TEST(BinomialShareFamily, ExpectedFrequenciesAgreeWithIndependentPmf) {
  const Referenzfall faelle[] = {
      {"share, fixed n",
       89,
       {0.3, 0.4},
       {10},
       10,
       0,
       [](double i) { return Anteil(10, 0.3, 0.4, i); }},
      {"share, fixed n above L",
       89,
       {0.2, 0.9},
       {25},
       8,
       0,
       [](double i) { return Anteil(25, 0.2, 0.9, i); }},
      {"share, free n",
       90,
       {12, 0.45, 0.1},
       {},
       9,
       0,
       [](double i) { return Anteil(12, 0.45, 0.1, i); }},
      {"share, free n below L",
       90,
       {4, 0.45, 0.1},
       {},
       9,
       0,
       [](double i) { return Anteil(4, 0.45, 0.1, i); }},
      {"zero-modified positive binomial",
       91,
       {12, 0.3},
       {0.7},
       10,
       0,
       [](double i) { return NullModBin(12, 0.3, 0.7, i); }},
      {"positive share form",
       92,
       {12, 0.35, 0.3},
       {},
       9,
       1,
       [](double i) { return PositivAnteil(12, 0.35, 0.3, i + 1); }},
      {"inflated at m",
       94,
       {0.3, 0.7},
       {10, 2},
       10,
       0,
       [](double i) { return Inflation(10, 0.3, 0.7, 2, i); }},
      {"inflated at 0",
       94,
       {0.45, 0.6},
       {20, 0},
       12,
       0,
       [](double i) { return Inflation(20, 0.45, 0.6, 0, i); }},
      {"zero-modified positive NB",
       95,
       {1.5, 0.4},
       {0.6},
       15,
       0,
       [](double i) { return NullModNB(1.5, 0.4, 0.6, i); }},
  };
  for (const Referenzfall& c : faelle)
    test::MitReferenzVergleichen(c.name, c.nummer, c.par, c.fest, 500, c.L, c.x0, Letzte::kRest,
                                 c.pmf);
  // Truncated at the last class: every class its own probability.
  for (std::uint32_t x0 : {0u, 3u}) {
    double s = 0;
    for (double x = x0; x <= x0 + 8; ++x) s += Bin(15, 0.4, x);
    test::MitReferenzVergleichen("right-truncated binomial", 93, {0.4}, {15}, 500, 8, x0,
                                 Letzte::kPunkt,
                                 [&](double i) { return Bin(15, 0.4, i + x0) / s; });
  }
}

// On the whole support 0..n the factorial moments and the ratios from class 2 on are the
// binomial's, so every alternative returns the parameters.
TEST(BinomialShareFamily, EstimatorsRecoverExactData) {
  struct Fall {
    std::uint32_t nummer;
    Fest fest;
    std::uint32_t k;
    std::vector<double> erwartet;
  };
  const Fall faelle[] = {
      {89, {12}, 1, {0.35, 0.3}},   {89, {12}, 2, {0.35, 0.3}},   {89, {12}, 3, {0.35, 0.3}},
      {90, {}, 1, {12, 0.35, 0.3}}, {90, {}, 2, {12, 0.35, 0.3}}, {90, {}, 3, {12, 0.35, 0.3}},
  };
  const auto fv = test::Tausendfach([](double i) { return Anteil(12, 0.35, 0.3, i); }, 0, 13);
  for (const Fall& c : faelle)
    test::StartVergleichen(c.nummer, c.fest, fv, 0, c.k, c.erwartet, test::kSeries);
}

// The other members on their whole support (or the truncated range): n from the least squares
// over the ratios and p from the second ratio (91), n and p from the first ratios or the
// factorial moments and b from the first two classes (92), p from the truncated regression
// (93), the fixed-point iteration for p (94, stopped by a change below 1e-4).
TEST(BinomialShareFamily, MoreEstimatorsRecoverExactData) {
  struct Fall {
    const char* name;
    std::uint32_t nummer;
    Fest fest;
    std::uint32_t x0;
    std::uint32_t L;
    std::function<double(double)> pmf;  // of the value
    std::uint32_t k;
    std::vector<double> erwartet;
    double rel;
  };
  const Fall faelle[] = {
      {"zero-modified positive binomial",
       91,
       {0.7},
       0,
       12,
       [](double i) { return NullModBin(12, 0.3, 0.7, i); },
       2,
       {12, 0.3},
       test::kSeries},
      {"positive share form",
       92,
       {},
       1,
       11,
       [](double v) { return PositivAnteil(12, 0.35, 0.3, v); },
       1,
       {12, 0.35, 0.3},
       test::kSeries},
      {"positive share form",
       92,
       {},
       1,
       11,
       [](double v) { return PositivAnteil(12, 0.35, 0.3, v); },
       2,
       {12, 0.35, 0.3},
       test::kSeries},
      {"right-truncated binomial",
       93,
       {15},
       0,
       8,
       [](double i) {
         double s = 0;
         for (double j = 0; j <= 8; ++j) s += Bin(15, 0.4, j);
         return Bin(15, 0.4, i) / s;
       },
       1,
       {0.4},
       test::kSeries},
      {"inflated at m",
       94,
       {10, 2},
       0,
       10,
       [](double i) { return Inflation(10, 0.3, 0.7, 2, i); },
       1,
       {0.3, 0.7},
       test::kSearched},
  };
  for (const Fall& c : faelle) {
    SCOPED_TRACE(c.name);
    test::StartVergleichen(c.nummer, c.fest, test::Tausendfach(c.pmf, c.x0, c.L + 1), c.x0, c.k,
                           c.erwartet, c.rel);
  }
}

// Repairs written back and conditions between parameters, fixed parameters and the data.
TEST(BinomialShareFamily, RepairsAndConditions) {
  struct Fall {
    std::uint32_t nummer;
    Parametervektor par;
    Fest fest;
    std::uint32_t L;
    bool scheitert;
    double n;  // parameter 0 afterwards, where it is repaired; NaN otherwise
  };
  const Fall faelle[] = {
      {91, {4, 0.3}, {0.7}, 10, false, 10},   // n below L is raised to L
      {91, {14, 0.3}, {0.7}, 10, false, 14},  // and left alone above
      {91, {12, 0.3}, {1.2}, 10, true, NAN},  // class 0 would be negative
      {91, {12, 0.3}, {-0.1}, 10, true, NAN},
      {95, {1.5, 0.4}, {1.01}, 10, true, NAN},
      {95, {1.5, 0.4}, {-0.5}, 10, true, NAN},
      {93, {0.4}, {6.5}, 10, true, NAN},  // a fractional n below the data gives negative terms
      {93, {0.4}, {6}, 10, false, NAN},   // a whole one ends the terms at 0
  };
  for (const Fall& c : faelle) {
    Parametervektor par = c.par;
    EXPECT_EQ(test::Auswerten(c.nummer, par, c.fest, c.L, 0, 100).fehler, c.scheitert)
        << "member " << c.nummer;
    if (!std::isnan(c.n)) {
      EXPECT_EQ(par[0], c.n) << "member " << c.nummer;
    }
  }
}

TEST(BinomialShareFamily, StartVectorsOnRealDataAreFinite) {
  test::StartsEndlich({
      {89, {1, 288}, {4}, "horse-kicks.dat"},
      {89, {1, 288}, {12}, "alpha-particles.dat"},
      {90, {16, 1, 288}, {}, "shell-accidents.dat"},
      {90, {16, 1, 288}, {}, "alpha-particles.dat"},
      {91, {16, 1}, {0.4}, "horse-kicks.dat"},
      {91, {16, 1}, {0.9}, "alpha-particles.dat"},
      {92, {16, 1, 288}, {}, "gpl3-word-syllables.dat"},
      {92, {16, 1, 288}, {}, "gpl3-word-letters.dat"},
      {93, {1}, {4}, "horse-kicks.dat"},
      {93, {1}, {20}, "alpha-particles.dat"},
      {94, {1, 288}, {4, 0}, "horse-kicks.dat"},
      {94, {1, 288}, {12, 3}, "alpha-particles.dat"},
      {95, {128, 1}, {0.4}, "shell-accidents.dat"},
      {95, {128, 1}, {0.9}, "alpha-particles.dat"},
  });
}

}  // namespace
}  // namespace vk
