// SPDX-License-Identifier: GPL-3.0-or-later
// Members whose classes or starts were wrong at parameters the fits reach: single classes against
// 60- to 600-digit references, starts on exact probabilities against the parameters they came
// from. Each row names what was wrong.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/StartCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/Tolerance.h"

namespace vk::test {
namespace {

struct Klassenwert {
  const char* was;
  std::uint32_t nummer;
  Parametervektor par;
  Fest fest;
  std::uint32_t L;
  double N;
  std::uint32_t i;
  double erwartet;  // N P(i)
  double rel = kLogRoute;
};

// Member 151, P(i) = ((b/a)_i/i!) sum_j (-1)^j C(i, j) |1 - b - j a|^m, by mpmath at 600 digits
// with a and b the doubles given:
//   mp.dps = 600; a, b = mpf(a), mpf(b)
//   N * rf(b/a, i)/factorial(i) * fsum((-1)**j * binomial(i, j) * fabs(1 - b - j*a)**m
//                                     for j in range(i + 1))
// A 0 is exact: i > m with every argument on one side of zero is a difference of a polynomial of
// degree m (mpmath leaves only its 1e-540 rounding).
// clang-format off
const std::vector<Klassenwert> kMember151 = {
    {"d > 0, below m", 151, {0.0085, 0.1}, {101}, 108, 109, 100, 1.18132928358358e-31},
    {"d > 0, above m", 151, {0.0085, 0.1}, {101}, 108, 109, 104, 0},
    {"d < 0, odd m, one term past the kink", 151, {0.0085, 0.1}, {101}, 108, 109, 106,
     1.0924058364712025e-286},
    {"d < 0, odd m, negative", 151, {0.0085, 0.1}, {101}, 108, 109, 107,
     -6.7623791986026768e-188},
    {"d just above 0", 151, {0.004, 0.2}, {200}, 250, 251, 199, 1.1122699805505635e-48},
    {"d rounds below 0, even m", 151, {0.004, 0.2}, {200}, 250, 251, 200,
     1.3778866923238325e-50},
    {"d < 0, even m, above m", 151, {0.004, 0.2}, {200}, 250, 251, 201, 0},
    {"d < 0, odd m, i < m", 151, {0.3, 0.1}, {5}, 8, 1000, 4, 42.700000000000002},
    {"d < 0, odd m, i = m", 151, {0.3, 0.1}, {5}, 8, 1000, 5, 20.020000000000002},
    {"d < 0, odd m, i > m", 151, {0.3, 0.1}, {5}, 8, 1000, 7, 19.516049382716047},
    {"d < 0, even m, i = m", 151, {0.3, 0.1}, {4}, 8, 1000, 4, 28},
    {"d < 0, even m, i > m", 151, {0.3, 0.1}, {4}, 8, 1000, 5, 0},
    {"d rounds below 0, small m", 151, {0.05, 0.3}, {3}, 31, 1000, 14, 4.9726252878323247e-43},
    {"d < 0, short side", 151, {0.05, 0.3}, {3}, 31, 1000, 20, 31240439.999999894},
    {"d < 0, long side", 151, {0.05, 0.3}, {3}, 31, 1000, 30, 1664066878319.9989},
};
// clang-format on

void KlassenPruefen(const std::vector<Klassenwert>& tabelle) {
  for (const Klassenwert& k : tabelle) {
    SCOPED_TRACE(std::string(k.was) + ", member " + std::to_string(k.nummer) +
                 ", i=" + std::to_string(k.i));
    Parametervektor par = k.par;
    const Lauf l = Auswerten(k.nummer, par, k.fest, k.L, 0, k.N);
    EXPECT_FALSE(l.fehler);
    EXPECT_TRUE(Near((*l.NP)[k.i], k.erwartet, k.rel));
  }
}

TEST(RepairedRoutes, FiniteDifferencePastTheKink) {
  KlassenPruefen(kMember151);
}

// On these data the start iteration of 151 with m = 2 diverges (0.14, 0.84, -32, -66451, ...)
// and overflowed: the fit ended in "Exception".
TEST(RepairedRoutes, FiniteDifferenceStartStaysFinite) {
  TParameterEigenschaften eig = Eigenschaften(151);
  eig.festparameter = {2};
  StartsEndlich(151, "gpl3-sentence-words.dat", eig);
  const auto d = Beispieldaten("gpl3-sentence-words.dat");
  const Parametervektor par = Start(151, *d, eig, 1);
  EXPECT_GT(par[0], 0);
}

// Classes that cancelled, underflowed or overflowed on the written route. References at 40 to 60
// digits (mpmath):
//  125: N fsum(binomial(3, r) pi^r (1 - pi)^(3 - r) binomial(100 r, x) p^x (1 - p)^(100 r - x)),
//       the binomial(3, pi) mixture of binomial(100 r, p) that the stopped sum is.
//  154: classes below m are N binomial(n, i) p^i (1 - p)^(n - i).
//  183: N exp(l(i) - logsumexp(l(0..16000))), l(i) = i ln a - loggamma(i + 1) - ln(i + a).
//  184: the same with l(i) = i ln a - loggamma(i + 1) - c ln(i + b + 1) over i = 0..L + 1.
//  155: N e^-a a^i b^(i-m)/i! hyp1f1(i - m + 1, i + 1, (1 - b) a), checked against the
//       terminating form N e^(-ab) (ab)^k/k! (1 - b)^-m sum_n (m)_n (-k)_n/(n! z^n), k = i - m,
//       which agrees to all 17 digits.
// clang-format off
const std::vector<Klassenwert> kUnterlauf = {
    {"binomial-binomial, middle", 125, {0.9, 0.2}, {100, 3}, 200, 1000, 60, 41.969775281666737},
    {"binomial-binomial, upper", 125, {0.9, 0.2}, {100, 3}, 200, 1000, 100,
     1.5945393533164338e-5},
    {"binomial-binomial, cancelled", 125, {0.9, 0.2}, {100, 3}, 200, 1000, 140,
     1.5295428717291702e-22},
    {"binomial-binomial, near m n", 125, {0.9, 0.2}, {100, 3}, 250, 1000, 200,
     9.9228427568387077e-66},
    {"latent count, |1 - p|^n underflows", 154, {0.5, 0.5}, {1100, 2000}, 1100, 1101, 999,
     19.621130141444162961},
    {"latent count, |1 - p|^n underflows", 154, {0.5, 0.5}, {1100, 2000}, 1100, 1101, 1000,
     19.640751271585607124},
    {"latent count, |1 - p|^n underflows", 154, {0.5, 0.5}, {1100, 2000}, 1100, 1101, 1099,
     0.0010759584289453714071},
    {"weighted Poisson, mean above 11400", 183, {11600}, {}, 12000, 36001, 11000,
     1.9478288632465024e-5},
    {"weighted Poisson, mean above 11400", 183, {11600}, {}, 12000, 36001, 11600,
     133.3469712006273},
    {"weighted Poisson, mean above 11400", 183, {11600}, {}, 12000, 36001, 11999,
     0.14576396913229023},
    {"power-weighted Poisson, mean above 11400", 184, {11600, 0.5, 1.5}, {}, 12000, 36001, 11000,
     2.0546919200314692e-5},
    {"power-weighted Poisson, mean above 11400", 184, {11600, 0.5, 1.5}, {}, 12000, 36001, 11600,
     133.34147523002918},
    {"power-weighted Poisson, mean above 11400", 184, {11600, 0.5, 1.5}, {}, 12000, 36001, 11999,
     0.14093215913047536},
    {"thinned Poisson, class m", 155, {100, 0.3}, {4}, 60, 1000, 4, 3.8973856596585524e-10},
    {"thinned Poisson, above m", 155, {100, 0.3}, {4}, 60, 1000, 5, 1.1024033723034191e-8},
    {"thinned Poisson, above m", 155, {100, 0.3}, {4}, 60, 1000, 30, 67.458120544338538},
    {"thinned Poisson, above m", 155, {100, 0.3}, {4}, 60, 1000, 59, 0.0050819882140836001},
    // The series of each class peaks near t = (1 - b) a: at a = 3e6 beyond its million terms.
    {"thinned Poisson, a = 3e6, class m", 155, {3e6, 1e-5}, {2}, 60, 1000, 2,
     9.3578101241068528e-11},
    {"thinned Poisson, a = 3e6", 155, {3e6, 1e-5}, {2}, 60, 1000, 3, 2.8073411656513154e-9},
    {"thinned Poisson, a = 3e6", 155, {3e6, 1e-5}, {2}, 60, 1000, 30, 70.21346920647751},
    {"thinned Poisson, a = 3e6", 155, {3e6, 1e-5}, {2}, 60, 1000, 59, 0.0036251472413014064},
};
// clang-format on

TEST(RepairedRoutes, ClassesWithoutCancellationOrUnderflow) {
  KlassenPruefen(kUnterlauf);
}

// Rows whose formula was mended (the written one gave negative or infinite terms), against the
// mended family's own closed form (mpmath, 50 digits):
//  152: b at the bound 4a^2/(a + 1)^2 = 0.0015378... is put at half of it (the bound minus 0.01
//       is negative); N (Po(i) - b Po(i - 1) + b Po(i - 2)) at that b.
//  156: r(i) = r(i - 1) p (n - i + 1)/(m - (i - m) p) from m on while that divisor is positive,
//       0 from the first that is not; N r(i)/fsum(r(0..L)).
// clang-format off
const std::vector<Klassenwert> kGeaendert = {
    {"second difference, small a", 152, {0.02, 1}, {}, 7, 1000, 0, 980.1986733067553},
    {"second difference, small a", 152, {0.02, 1}, {}, 7, 1000, 1, 18.850264374780431},
    {"second difference, small a", 152, {0.02, 1}, {}, 7, 1000, 2, 0.93467464418893295},
    {"second difference, small a", 152, {0.02, 1}, {}, 7, 1000, 3, 0.01623037157323158},
    {"shrinking divisor, no pole among the classes", 156, {0.3}, {3, 12}, 12, 1000, 0,
     14.297969688304266305},
    {"shrinking divisor, no pole among the classes", 156, {0.3}, {3, 12}, 12, 1000, 8,
     84.929939948527308986},
    // p = 0.5: the divisor is 0 at i = 9 (the sum was infinite, the classes NaN).
    {"pole at a class", 156, {0.5}, {3, 12}, 20, 1000, 0, 0.21793614470960009},
    {"pole at a class", 156, {0.5}, {3, 12}, 20, 1000, 5, 21.575678326250409},
    {"pole at a class", 156, {0.5}, {3, 12}, 20, 1000, 8, 755.1487414187643},
    {"pole at a class", 156, {0.5}, {3, 12}, 20, 1000, 9, 0},
    {"pole at a class", 156, {0.5}, {3, 12}, 20, 1000, 15, 0},
    // p = 0.35, m = 2: the divisor passes 0 between 7 and 8 (negative terms beyond).
    {"pole between classes", 156, {0.35}, {2, 30}, 20, 1000, 0, 8.9728210453177081e-5},
    {"pole between classes", 156, {0.35}, {2, 30}, 20, 1000, 6, 28.837627603384928},
    {"pole between classes", 156, {0.35}, {2, 30}, 20, 1000, 7, 968.94428747373308},
    {"pole between classes", 156, {0.35}, {2, 30}, 20, 1000, 8, 0},
    {"pole between classes", 156, {0.35}, {2, 30}, 20, 1000, 19, 0},
};
// clang-format on

TEST(RepairedRoutes, MendedRows) {
  KlassenPruefen(kGeaendert);
}

// The capped b is written back, and it lies inside (0, bound).
TEST(RepairedRoutes, SecondDifferenceCapStaysPositive) {
  Parametervektor par{0.02, 1};
  const Lauf l = Auswerten(152, par, {}, 7);
  // 4 a^2/(a + 1)^2 / 2 at a = 0.02 (mpmath, 50 digits).
  EXPECT_TRUE(Near(par[1], 0.00076893502499038834, kTight));
  for (std::uint32_t i = 0; i <= 7; ++i) EXPECT_GE((*l.NP)[i], 0) << "i=" << i;
}

// A start from the first three classes of exact probabilities, against the parameters they were
// computed from.
struct Startfall {
  const char* was;
  std::uint32_t nummer;
  Fest fest;
  std::vector<double> f;  // N P(i), the last class the remainder
  Parametervektor erwartet;
};

// Member 126 at m = 5, pi = 0.4, p = 0.3, N = 1000: the series of
// (1 - pi + pi p/(1 - (1 - p) s))^m, mpmath taylor(..., 0, 12) at 60 digits, times N.
const std::vector<Startfall> kStarts = {
    {"binomial stopped geometric",
     126,
     {5},
     {193.4917632, 112.8701952, 105.34551552, 95.249903616, 84.0606004224, 72.773060097024,
      62.018739998208, 52.1633664695808, 43.38545327875584, 35.736875435068416,
      29.18816079015610368, 23.66134606461072384, 19.053066438053351424},
     {0.4, 0.3}},
    // Member 156 at m = 3, n = 12, p = 0.3, N = 1000, classes 0..12: N r(i)/sum r, mpmath fsum
    // at 50 digits.
    {"shrinking divisor",
     156,
     {3, 12},
     {14.297969688304266305, 51.472690877895356792, 84.929939948527335564, 84.929939948527332421,
      84.929939948527328929, 84.929939948527325, 84.92993994852732051, 84.929939948527315272,
      84.929939948527308986, 84.929939948527301128, 84.929939948527290651, 84.929939948527274936},
     {0.3}},
};

TEST(RepairedRoutes, StartsRecoverExactParameters) {
  for (const Startfall& s : kStarts) {
    SCOPED_TRACE(std::string(s.was) + ", member " + std::to_string(s.nummer));
    auto f = s.f;
    double unter = 0;
    for (double v : f) unter += v;
    f.push_back(1000 - unter);
    const auto d = Klassen(f);
    TParameterEigenschaften eig = Eigenschaften(s.nummer);
    eig.festparameter = s.fest;
    const Parametervektor par = Start(s.nummer, *d, eig, 1);
    for (std::uint32_t j = 0; j < eig.parZahl; ++j)
      EXPECT_TRUE(Near(par[j], s.erwartet[j], kRecovered)) << "parameter " << j;
  }
}

}  // namespace
}  // namespace vk::test
