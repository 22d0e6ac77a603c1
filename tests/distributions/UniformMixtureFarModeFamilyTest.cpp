// SPDX-License-Identifier: GPL-3.0-or-later
// Uniform mixtures over a Poisson or negative binomial mixing value whose mode lies thousands to
// tens of millions of terms from v = 1 (members 79 and 80 with a subnormal first term), as a
// refinement reaches them: each class against values computed in 50 digits with mpmath, and the
// classes must keep nearly all the digits of a double.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/Tolerance.h"

namespace vk::test {
namespace {

struct Punkt {
  const char* was;
  std::uint32_t nummer;
  Parametervektor par;
  std::uint32_t L;
  std::uint32_t klasse;
  double erwartet;
};

// Within a few units in the last place, whatever the distance of the mode from v = 1.
inline constexpr double kRelFern = 1e-15;

// The references, N = 1000: with w(v) the mixing probability, the terms taken from the mode j by
// exact ratios in mp.dps = 50 until they fall below 1e-45 of w(j),
//   N * fsum(w(v)/v for v > x) / D.
// 80: w(v) = exp(loggamma(s + v) - loggamma(s) - loggamma(v + 1) + s log p + v log(1 - p)),
//     ratio (s + v - 1)(1 - p)/v, j = floor((s - 1)(1 - p)/p), D = 1 - p^s.
// 79: w(v) = exp(v log a - a - loggamma(v + 1)), ratio a/v, j = floor(a), D = 1 - e^-a.
TEST(UniformMixtureFarMode, ClassesKeepTheirDigits) {
  const std::vector<Punkt> punkte = {
      {"s 2e8, p 0.99999, class 0", 80, {2e8, 0.99999}, 2200, 0, 0.50024524787427217},
      {"s 2e8, p 0.99999, class 9", 80, {2e8, 0.99999}, 2200, 9, 0.50024524787427217},
      {"s 2e8, p 0.99999, below the mode", 80, {2e8, 0.99999}, 2200, 1990, 0.28720711256778496},
      {"s 2e8, p 0.99999, at the mode", 80, {2e8, 0.99999}, 2200, 2000, 0.24277468221366598},
      {"s 2e8, p 0.99999, in the tail", 80, {2e8, 0.99999}, 2200, 2100, 0.0060511979162946093},
      {"s 5e7, p 0.9, class 0", 80, {5e7, 0.9}, 10, 0, 0.00018000003600001372},
      {"s 5e7, p 0.9, class 9", 80, {5e7, 0.9}, 10, 9, 0.00018000003600001372},
      {"s 1e6, p 0.5, class 0", 80, {1e6, 0.5}, 31, 0, 0.001000002000006},
      {"s 1e6, p 0.5, class 30", 80, {1e6, 0.5}, 31, 30, 0.001000002000006},
      {"a 1e6, class 0", 79, {1e6}, 10, 0, 0.001000001000002},
      {"a 1e6, class 9", 79, {1e6}, 10, 9, 0.001000001000002},
      {"a 1.5e4, class 0", 79, {1.5e4}, 15100, 0, 0.066671111703822254},
      {"a 1.5e4, below the mode", 79, {1.5e4}, 15100, 14990, 0.035144075820664111},
      {"a 1.5e4, at the mode", 79, {1.5e4}, 15100, 15000, 0.032973606372427378},
  };
  for (const Punkt& p : punkte) {
    SCOPED_TRACE(std::string(p.was) + ", member " + std::to_string(p.nummer));
    Parametervektor par = p.par;
    const Lauf l = Auswerten(p.nummer, par, {}, p.L, 0, 1000);
    EXPECT_FALSE(l.fehler);
    EXPECT_TRUE(Near((*l.NP)[p.klasse], p.erwartet, kRelFern))
        << "class " << p.klasse << ": " << (*l.NP)[p.klasse];
    EXPECT_TRUE(Near(Summe(*l.NP, p.L), 1000, kRelTight));
  }
}

}  // namespace
}  // namespace vk::test
