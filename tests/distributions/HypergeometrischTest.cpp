// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>

#include "core/FpFault.h"
#include "distributions/helpers/Hypergeometrisch.h"
#include "distributions/helpers/Numerik.h"
#include "tests/support/Tolerance.h"

namespace vk {
namespace {

using test::Near;

// The series as it was computed before the rising factorials were carried from term to term:
// every (x)_i, z^i and i! formed afresh for each term.
double Frisch2F2(double z, double b1, double b2, double a1, double a2) {
  Summe s = 1;
  for (std::uint32_t i = 1; i <= 30; ++i)
    s += GanzePotenz(i, z) / Fakultaet(i) *
         ((SteigendeFakultaet(i, a1) * SteigendeFakultaet(i, a2)) /
          (SteigendeFakultaet(i, b1) * SteigendeFakultaet(i, b2)));
  return static_cast<double>(s);
}

double Frisch3F2(double z, double b1, double b2, double a1, double a2, double a3) {
  Summe s = 1;
  for (std::uint32_t i = 1; i <= 30; ++i)
    s += GanzePotenz(i, z) / Fakultaet(i) *
         ((SteigendeFakultaet(i, a1) * SteigendeFakultaet(i, a2) * SteigendeFakultaet(i, a3)) /
          (SteigendeFakultaet(i, b1) * SteigendeFakultaet(i, b2)));
  return static_cast<double>(s);
}

struct Fall3 {
  double z, b1, b2, a1, a2, a3;
};

// Parameters the special model meets (shifts near the negative integers, arguments near and
// beyond 1), a pole, a zero numerator, an overflowing rising factorial and an overflowing power.
constexpr Fall3 kFaelle3[] = {
    {0.771, -2.08, -2.92, 1.3, -0.6, 1},
    {0.95, 2.5, 0.25, 3.75, -1.5, 1},
    {-0.8, 1.1, 3.3, 0.2, 4.4, 1},
    {1.6, -0.5, -1.5, 2.2, 1.1, 1},
    {0.5, -3, 2, 1, 1, 1},
    {0.3, 1, 2, -0.0, 2, 1},
    {0.9, 1, 1, 1e20, 2, 1},
    {1e15, 1, 1, 1, 1, 1},
    {-1e-300, 1, 1, 1, 1, 1},
    {2.5, -7.999999, 0.1, -3, 6.5, 1},
    {0.0, 1, 1, 1, 1, 1},
    {1, 1, 1, 2, 1, 1},
};

// The carried products are the products formed afresh, value for value and flag for flag: the
// result must be the same double, and the same faults must be raised.
TEST(Hypergeometrisch, CarriedProductsAreTheFreshOnesBitForBit) {
  for (const Fall3& f : kFaelle3) {
    FpFaultScope alt;
    const double erwartet = Frisch3F2(f.z, f.b1, f.b2, f.a1, f.a2, f.a3);
    const int altFlaggen = alt.Schliessen();
    FpFaultScope neu;
    const double wert = Hypergeometrisch3F2(f.z, f.b1, f.b2, f.a1, f.a2, f.a3);
    const int neuFlaggen = neu.Schliessen();
    EXPECT_EQ(std::bit_cast<std::uint64_t>(wert), std::bit_cast<std::uint64_t>(erwartet))
        << "3F2 z=" << f.z << " b=" << f.b1 << "," << f.b2 << " a=" << f.a1 << "," << f.a2
        << " got " << wert << " want " << erwartet;
    EXPECT_EQ(neuFlaggen, altFlaggen) << "3F2 z=" << f.z << " a1=" << f.a1;

    FpFaultScope alt2;
    const double erwartet2 = Frisch2F2(f.z, f.b1, f.b2, f.a1, f.a2);
    const int altFlaggen2 = alt2.Schliessen();
    FpFaultScope neu2;
    const double wert2 = Hypergeometrisch2F2(f.z, f.b1, f.b2, f.a1, f.a2);
    const int neuFlaggen2 = neu2.Schliessen();
    EXPECT_EQ(std::bit_cast<std::uint64_t>(wert2), std::bit_cast<std::uint64_t>(erwartet2))
        << "2F2 z=" << f.z << " b=" << f.b1 << "," << f.b2 << " a=" << f.a1 << "," << f.a2;
    EXPECT_EQ(neuFlaggen2, altFlaggen2) << "2F2 z=" << f.z << " a1=" << f.a1;
  }
}

// Against the truncated sums at 40 digits, each from
//   mpmath.nsum(lambda i: z**i/factorial(i)*rf(a1,i)*rf(a2,i)[*rf(a3,i)]/(rf(b1,i)*rf(b2,i)),
//               [0, 30])
// with mp.dps = 40 and the double parameters converted exactly.
TEST(Hypergeometrisch, TruncatedSumsAgainstExtendedPrecision) {
  struct Fall {
    bool drei;
    double z, b1, b2, a1, a2;
    double erwartet;
    double toleranz;
  };
  const Fall faelle[] = {
      {true, 0.771, -2.08, -2.92, 1.3, -0.6, -6429858.5193689028954, test::kChain},
      {true, 0.95, 2.5, 0.25, 3.75, -1.5, 1.2892967460651363902, test::kShort},
      {true, -0.8, 1.1, 3.3, 0.2, 4.4, 0.87310962638902615941, test::kShort},
      // Terms up to 1e17 of alternating sign in the products: a few units more of cancellation.
      {true, 1.6, -0.5, -1.5, 2.2, 1.1, -1439116492337676.6258, test::kTight},
      {false, 0.25, 1.5, 2.5, -0.75, 1, 0.94963560618412926491, test::kShort},
      {false, -3.0, 0.5, 4.0, 2.0, 1, -0.12769516673606712291, test::kTight},
      {false, 12.0, 2.0, 3.0, 1.5, 1, 792.0638493347279404, test::kShort},
  };
  for (const Fall& f : faelle) {
    const double wert = f.drei ? Hypergeometrisch3F2(f.z, f.b1, f.b2, f.a1, f.a2, 1)
                               : Hypergeometrisch2F2(f.z, f.b1, f.b2, f.a1, f.a2);
    EXPECT_TRUE(Near(wert, f.erwartet, f.toleranz)) << f.z << " " << f.b1 << " got " << wert;
  }
}

}  // namespace
}  // namespace vk
