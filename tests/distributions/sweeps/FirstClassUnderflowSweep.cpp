// SPDX-License-Identifier: GPL-3.0-or-later
// Members 0 to 222 where the class a recurrence starts from (or the first mixing term) lies
// below 1e-300 while the mode is well inside the data: a start that underflows turns every class
// into the few digits of a subnormal number, or into 0 with the whole of N in the last class.
// Each point is checked against the member's probability function in long double from
// logarithms (lgamma), independently of the member's route, by the rules of PmfSweep.h; the
// stopped sums from 118 on as the sum over the count of summands of closed-form laws.
//
// Not swept here, because their starting class can never be that small while the mode lies
// inside the data: the members whose first class is their largest or bounded below by their form,
// 8, 17 to 19, 31, 36, 37, 53 to 55, 59, 60, 62 to 68, 72, 78, 81, 86, 87, 100, 105 to 107 and
// 110. The uniform mixtures 75 to 80 all decrease, so for them the first mixing term is what is
// made to underflow. 32's ratio (n - x + 1)(x - 1)/(x(n + b - x)) exceeds 1 exactly
// where x(2 - b) > n + 1: its terms fall and then rise, so its largest class is the first or the
// last. 34's first class e^-sqrt(2a) is below 1e-300 only for a above 2.4e5, where the Levy
// mixing law's mode a/3 lies beyond 79 000, past the last possible class. 38's classes from 1 on
// are P(1) c^(i - 1) from the closed form of P(1), no recurrence from class 0, and its class 0
// is 1 less a quantity of order 1, below 1e-300 only where that cancels to within rounding. 39's
// first class c/D is at least c, and c below 1e-300 puts the mean count of summands at 1e300.
// 85's first class (1 - b)/(1 - b e^(-a(1 - b))) is at least |1 - b|/max(1, b): never below
// 2^-53 for a double b other than 1.
// From 112 on: 134, 135, 139, 150, 178, 202, 203, 206 to 210, 218 and 221 decrease from their
// first class; 159 and 168 decrease from class 1 or 2 on, their first class at least 1 - q or
// 1 - a; 147 likewise with the first class 1 - w, and 157's first class is 1 - a: at least 2^-53
// for a double below 1; 217's first class (a - 1)/(a + b - 1) is at least 2^-52/(a + b - 1) for
// a double a other than 1; 144's, (1 - a)(1 - b)/(-a ln a), is at least 1 - b; 216's is
// C(2a, a)/4^a, about 1/sqrt(pi a). The geometric counts 127 to 129 hold every class to at most
// P(0)/(1 - g0), so their first class cannot be tiny beside a class of 1e-4. 161's first class is
// at least q/10 and every class beyond the second at most q: a tiny first class leaves the value
// 2 alone. 167's first class is its fixed share w, no start of a recurrence, and its other
// classes decrease; 191's classes are each a difference of whole parts over 2a, with no start
// either. 212's first class 2^-a is below 1e-300 only for a above 997, where its ratios stay
// above 1 up to a^2/6: the law spreads over some 10^5 classes, none near 1e-4. 214 and 220
// (first class b/(a + b), b/(a + b - 1)) reach 1e-300 only with b that small, which leaves all
// but a share of order b on the last value of their support; 215 is a beta-binomial law with
// shapes 1 - a and a, U-shaped or monotone, and 219's ratios 1 - a/x keep it monotone: none of
// them has its mode inside the data. 180's first class (1 - p)^a and 182's,
// -theta (1 - theta)^(beta - 1)/ln(1 - theta), reach 1e-300 only with a p (beta theta) in the
// hundreds, far beyond 1: these Lagrangian laws are then defective, all but a share of the order
// of their first class lost to infinity, and each class lies below the first (checked on
// a = 1000, p = 0.5; a = 700, p = 0.9; theta = 0.5, 0.9, 0.01 with beta = 1000, 400, 80000).
// 213's terms are 212's over the classes: with the first below 1e-300 they rise up to
// a^2/6 > 1.6e5, beyond the last possible class, so the largest class is the last.
// 146's first class is at least its share b: it is swept with b below 1e-300, where its law is
// all but Poisson.
// 151 is swept for whole m up to 2000; from m = 2048 on its classes still come from the
// alternating sum as written (the Stirling numbers of its positive form near the long double
// limit), which cancels there.
// Not yet covered: from 112 on 205, whose first class is 1/F with F the sum of only its
// first 31 terms: its classes are a law only where the terms beyond class 30 are negligible, and
// with ratios falling to 1 + a0 < 1 the terms rise up to their mode (at 1000 for a0 = -1/2,
// a1 = 600), so a law normalised over all its values is not the member's; whether its ratios can
// reach a first class below 1e-300 and fall below 1 before class 30 is not settled here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "tests/distributions/PmfSweep.h"

namespace vk::test {
namespace {

// exp of the logarithms, each taken relative to their largest and normalised: the law of a member
// normalised over its classes.
std::vector<long double> LogNormiert(const std::vector<long double>& l) {
  const long double m = *std::max_element(l.begin(), l.end());
  std::vector<long double> r(l.size());
  long double s = 0;
  for (std::size_t i = 0; i < l.size(); ++i) s += (r[i] = std::exp(l[i] - m));
  for (long double& v : r) v /= s;
  return r;
}

long double LogPois(long double a, long double v) {
  return -a + v * std::log(a) - std::lgamma(v + 1);
}
long double LogBin(long double n, long double p, long double v) {
  return LogBinomL(n, v) + v * std::log(p) + (n - v) * std::log1p(-p);
}
long double BinL(long double n, long double p, long double v) {
  return v > n ? 0 : std::exp(LogBin(n, p, v));
}

// The point's reference must have the property swept for: its first class below 1e-300 and its
// largest class below L above 1e-4 (the mode well inside the data).
void FirstClassTiny(std::uint32_t nummer, const SweepPunkt& p, const LangePmf& ref,
                    bool ersteKlasse = true) {
  const std::vector<long double> r = ref(p);
  const long double groesste = *std::max_element(r.begin(), r.end() - 1);
  EXPECT_GT(groesste, 1e-4L) << Beschreibung(nummer, p);
  if (ersteKlasse) {
    EXPECT_LT(r[0], 1e-300L) << Beschreibung(nummer, p);
  }
}

struct Fall {
  std::uint32_t nummer;
  std::vector<SweepPunkt> punkte;
  Letzte letzte;
  LangePmf referenz;
  bool ersteKlasse = true;
};

void Pruefen(const std::vector<Fall>& faelle) {
  for (const Fall& f : faelle) {
    // Each point's reference is taken once (some sum millions of terms) and handed to the sweep,
    // which walks the same vector of points.
    std::vector<std::vector<long double>> refs;
    for (const SweepPunkt& p : f.punkte) {
      refs.push_back(f.referenz(p));
      FirstClassTiny(
          f.nummer, p, [&](const SweepPunkt&) { return refs.back(); }, f.ersteKlasse);
    }
    Sweep(f.nummer, f.punkte, f.letzte,
          [&](const SweepPunkt& p) { return refs.at(&p - f.punkte.data()); });
  }
}

SweepPunkt Pkt(Parametervektor par, Fest fest, std::uint32_t L, std::uint32_t x0 = 0) {
  return SweepPunkt{par, fest, L, x0};
}

// Uniform mixtures: P(x) = sum_{v > x} w(v)/v / D, from the top; w from its logarithm.
template <typename LogW>
std::vector<long double> MischungL(std::uint32_t L, std::uint32_t bis, LogW logw) {
  std::vector<long double> P(L + 1, 0);
  long double T = 0, D = 0;
  for (std::uint32_t v = bis; v >= 1; --v) {
    const long double w = std::exp(logw(v));
    D += w;
    T += w / v;
    if (v - 1 <= L) P[v - 1] = T;
  }
  for (long double& x : P) x /= D;
  return P;
}

// Members 0 to 55.
long double LogNB(long double k, long double p, long double i) {
  return std::lgamma(k + i) - std::lgamma(k) - LogFak(i) + k * std::log(p) + i * std::log1p(-p);
}
// Beta-binomial with n trials and shapes al, be: the negative hypergeometric and Polya members.
long double LogBetaBin(long double n, long double al, long double be, long double i) {
  return LogBinomL(n, i) + std::lgamma(al + i) + std::lgamma(be + n - i) -
         std::lgamma(al + be + n) - std::lgamma(al) - std::lgamma(be) + std::lgamma(al + be);
}
// Terms from their logarithms l(0..K), normalised over 0..K and cut to the classes 0..L.
template <typename Log>
std::vector<long double> NormiertBis(const SweepPunkt& p, std::uint32_t K, Log log) {
  std::vector<long double> l(K + 1);
  for (std::uint32_t i = 0; i <= K; ++i) l[i] = log(static_cast<long double>(i));
  std::vector<long double> r = LogNormiert(l);
  r.resize(p.L + 1);
  return r;
}

TEST(FirstClassUnderflowSweep, BinomialPoissonAndNegativeBinomialMembersUpTo55) {
  const LangePmf bin = [](const SweepPunkt& p) {
    return Terme(p, [&](long double i) { return BinL(p.par[0], p.par[1], i); });
  };
  const LangePmf pois = [](const SweepPunkt& p) {
    return Terme(p, [&](long double i) { return std::exp(LogPois(p.par[0], i)); });
  };
  const LangePmf nb = [](const SweepPunkt& p) {
    return Terme(p, [&](long double i) { return std::exp(LogNB(p.par[0], p.par[1], i)); });
  };
  Pruefen({
      {0, {Pkt({2000, 0.4}, {}, 1200), Pkt({1420, 0.4}, {}, 1000)}, Letzte::kRest, bin},
      {1,
       {Pkt({0.4}, {2000}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         return Terme(p, [&](long double i) { return BinL(p.fest[0], p.par[0], i); });
       }},
      {9,
       {Pkt({2000}, {0.4}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         return Terme(p, [&](long double i) { return BinL(p.par[0], p.fest[0], i); });
       }},
      {2, {Pkt({800}, {}, 1200)}, Letzte::kRest, pois},
      {4, {Pkt({1500, 0.4}, {}, 3500), Pkt({790, 0.4}, {}, 2000)}, Letzte::kRest, nb},
      {27, {Pkt({1500, 0.4}, {}, 3500)}, Letzte::kRest, nb},
      {26,
       {Pkt({0.4}, {1500}, 3500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         return Terme(p, [&](long double i) { return std::exp(LogNB(p.fest[0], p.par[0], i)); });
       }},
      {5,
       {Pkt({1500, 0.4}, {}, 3000)},
       Letzte::kPunkt,
       [](const SweepPunkt& p) {
         return NormiertBis(p, p.L, [&](long double i) { return LogNB(p.par[0], p.par[1], i); });
       }},
      {28,
       {Pkt({1500, 0.4, 0.5, 0.3}, {}, 3500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], w = p.par[3];
         return Terme(p, [&](long double i) {
           return w * std::exp(LogNB(k, p.par[1], i)) + (1 - w) * std::exp(LogNB(k, p.par[2], i));
         });
       }},
      // Zero-truncated forms, class i holding the value i + 1.
      {10,
       {Pkt({800}, {}, 1200, 1)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0];
         return Terme(p,
                      [&](long double i) { return std::exp(LogPois(a, i + 1)) / -std::expm1(-a); });
       }},
      {50,
       {Pkt({800}, {}, 1200, 1)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0];
         return Terme(p,
                      [&](long double i) { return std::exp(LogPois(a, i + 1)) / -std::expm1(-a); });
       }},
      {21,
       {Pkt({2000, 0.4}, {}, 1200, 1)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.par[0], q = p.par[1];
         return Terme(
             p, [&](long double i) { return BinL(n, q, i + 1) / -std::expm1(n * std::log1p(-q)); });
       }},
      {22,
       {Pkt({0.4}, {2000}, 1200, 1)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.fest[0], q = p.par[0];
         return Terme(
             p, [&](long double i) { return BinL(n, q, i + 1) / -std::expm1(n * std::log1p(-q)); });
       }},
      {25,
       {Pkt({1500, 0.4}, {}, 3500, 1)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1];
         return Terme(p, [&](long double i) {
           return std::exp(LogNB(k, q, i + 1)) / -std::expm1(k * std::log(q));
         });
       }},
      // Left-truncated below m, class j holding the value j + m.
      {11,
       {Pkt({800}, {5}, 1200, 5)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], m = p.fest[0];
         return Terme(p, [&](long double j) { return std::exp(LogPois(a, j + m)); });
       }},
      {12,
       {Pkt({800}, {}, 1000)},
       Letzte::kPunkt,
       [](const SweepPunkt& p) {
         return NormiertBis(p, p.L, [&](long double i) { return LogPois(p.par[0], i); });
       }},
      // P(i) proportional to a^i / ((b + 1) ... (b + i)), over 0..L.
      {13,
       {Pkt({800}, {5}, 1200)},
       Letzte::kPunkt,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.fest[0];
         return NormiertBis(p, p.L, [&](long double i) {
           return i * std::log(a) - std::lgamma(b + 1 + i) + std::lgamma(b + 1);
         });
       }},
      // r_i = r_{i-1} a/(i + b - 1) over an infinite support.
      {20,
       {Pkt({800, 5}, {}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return NormiertBis(p, p.L + 3000, [&](long double i) {
           return i * std::log(a) - std::lgamma(b + i) + std::lgamma(b);
         });
       }},
      // Hyper-Pascal: P(x) proportional to (k)_x q^x / (m)_x.
      {6,
       {Pkt({1500, 5, 0.5}, {}, 3500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], m = p.par[1], q = p.par[2];
         return NormiertBis(p, p.L + 4000, [&](long double i) {
           return std::lgamma(k + i) - std::lgamma(k) + i * std::log(q) - std::lgamma(m + i) +
                  std::lgamma(m);
         });
       }},
      {41,
       {Pkt({1500, 5, 0.5}, {}, 3500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], m = p.par[1], q = p.par[2];
         return NormiertBis(p, p.L + 4000, [&](long double i) {
           return std::lgamma(k + i) - std::lgamma(k) + i * std::log(q) - std::lgamma(m + i) +
                  std::lgamma(m);
         });
       }},
      // Inflated and modified Poisson forms; their class 0 (or the inflated class) is not small.
      {45,
       {Pkt({800, 0.3}, {}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return Terme(
             p, [&](long double i) { return (i == 0 ? 1 - b : 0) + b * std::exp(LogPois(a, i)); });
       },
       false},
      {48,
       {Pkt({800, 0.7}, {5}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.fest[0];
         return Terme(
             p, [&](long double i) { return (i == m ? 1 - b : 0) + b * std::exp(LogPois(a, i)); });
       },
       false},
      // Values from 1: zero-truncated Poisson with weight 1 - b added at the value 1 (46), at m
      // (47).
      {46,
       {Pkt({800, 0.3}, {}, 1200, 1)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return Terme(p, [&](long double i) {
           return (i == 0 ? 1 - b : 0) + b * std::exp(LogPois(a, i + 1)) / -std::expm1(-a);
         });
       },
       false},
      {47,
       {Pkt({800, 0.7}, {5}, 1200, 1)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.fest[0];
         return Terme(p, [&](long double i) {
           return (i + 1 == m ? 1 - b : 0) + b * std::exp(LogPois(a, i + 1)) / -std::expm1(-a);
         });
       },
       false},
      // Values from 1: P(1) = a (1 - b)/(e^a - 1 - a b), P(v) = (a^v/v!)/(e^a - 1 - a b) above.
      {49,
       {Pkt({800, 0.3}, {}, 1200, 1)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         const long double nenner = 1 - std::exp(-a) * (1 + a * b);
         return Terme(p, [&](long double i) {
           return i == 0 ? std::exp(-a) * a * (1 - b) / nenner
                         : std::exp(LogPois(a, i + 1)) / nenner;
         });
       }},
      // r_i = r_{i-1} (n - i - 1) a over 0..L.
      {52,
       {Pkt({0.001}, {3000}, 2500)},
       Letzte::kPunkt,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], n = p.fest[0];
         return NormiertBis(p, p.L, [&](long double i) {
           return i * std::log(a) + std::lgamma(n - 1) - std::lgamma(n - 1 - i);
         });
       }},
      // Beta-binomial: 3 and 7 with shapes R and K - R, 14 and 15 with p/s and (1 - p)/s.
      {3,
       {Pkt({3000, 1200}, {3000}, 3000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double K = p.par[0], R = p.par[1], n = p.fest[0];
         return Terme(p, [&](long double i) { return std::exp(LogBetaBin(n, R, K - R, i)); });
       }},
      {7,
       {Pkt({3000, 1200, 3000}, {}, 3000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double K = p.par[0], R = p.par[1], n = p.par[2];
         return Terme(p, [&](long double i) { return std::exp(LogBetaBin(n, R, K - R, i)); });
       }},
      {14,
       {Pkt({0.0001, 0.4}, {2000}, 2000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double s = p.par[0], q = p.par[1], n = p.fest[0];
         return Terme(
             p, [&](long double i) { return std::exp(LogBetaBin(n, q / s, (1 - q) / s, i)); });
       }},
      {15,
       {Pkt({0.0001, 0.4, 2000}, {}, 2000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double s = p.par[0], q = p.par[1], n = p.par[2];
         return Terme(
             p, [&](long double i) { return std::exp(LogBetaBin(n, q / s, (1 - q) / s, i)); });
       }},
  });
}

TEST(FirstClassUnderflowSweep, QueuesRatioRangesAndMirroredPoisson) {
  const auto queue = [](bool unendlich) {
    return [unendlich](const SweepPunkt& p) {
      const long double a = p.par[0], m = std::trunc(p.fest[0]);
      const std::uint32_t K = unendlich ? p.L + 3000 : p.L;
      std::vector<long double> l(K + 1);
      for (std::uint32_t j = 0; j <= K; ++j)
        l[j] = j <= m ? j * std::log(a) - LogFak(j)
                      : j * std::log(a) - LogFak(m) - (j - m) * std::log(m);
      std::vector<long double> r = LogNormiert(l);
      r.resize(p.L + 1);
      return r;
    };
  };
  // 69: r_i/r_{i-1} = c a / i up to Int(k), c a / k up to Int(l), (L - i + 1) a / k above.
  const LangePmf m69 = [](const SweepPunkt& p) {
    const long double a = p.par[0], k = p.fest[0], l = p.fest[1], c = p.fest[2];
    std::vector<long double> lg(p.L + 1, 0);
    for (std::uint32_t i = 1; i <= p.L; ++i)
      lg[i] = lg[i - 1] + std::log(i <= std::trunc(k)   ? c * a / i
                                   : i <= std::trunc(l) ? c * a / k
                                                        : (p.L - i + 1.0L) * a / k);
    return LogNormiert(lg);
  };
  const LangePmf m70 = [](const SweepPunkt& p) {
    const long double a = p.par[0], k = std::trunc(p.fest[0]), l = p.fest[1], c = p.fest[2];
    std::vector<long double> lg(p.L + 1, 0);
    for (std::uint32_t i = 1; i <= p.L; ++i)
      lg[i] = lg[i - 1] + std::log(i <= k + 1               ? a * c / i
                                   : i <= std::trunc(l) + 1 ? (p.L - i + 1.0L) * a / i
                                                            : (p.L - i + 1.0L) * a / l);
    return LogNormiert(lg);
  };
  const LangePmf m71 = [](const SweepPunkt& p) {
    std::vector<long double> l(p.L + 1);
    for (std::uint32_t x = 0; x <= p.L; ++x)
      l[x] = (p.L - x) * std::log(static_cast<long double>(p.par[0])) - LogFak(p.L - x);
    return LogNormiert(l);
  };
  // 58: P(i) = Int(a)!/a^a a^(i-1) (a - i)/i!, the product of the ratios a (a - i)/(i (a - i + 1)).
  const LangePmf m58 = [](const SweepPunkt& p) {
    const long double a = p.par[0];
    return Terme(p, [&](long double i) {
      return std::exp(LogFak(std::trunc(a)) - a * std::log(a) + (i - 1) * std::log(a) - LogFak(i)) *
             (a - i);
    });
  };
  Pruefen({
      {56, {Pkt({800}, {1000}, 1500)}, Letzte::kPunkt, queue(false)},
      {57, {Pkt({800}, {1000}, 1500)}, Letzte::kRest, queue(true)},
      {58, {Pkt({1001}, {}, 1000)}, Letzte::kRest, m58},
      {69, {Pkt({0.01}, {2, 5, 3}, 1000)}, Letzte::kPunkt, m69},
      {70, {Pkt({1}, {5, 100, 2}, 2000), Pkt({30}, {5, 100, 2}, 300)}, Letzte::kPunkt, m70},
      {71, {Pkt({200}, {}, 1000)}, Letzte::kPunkt, m71},
  });
}

TEST(FirstClassUnderflowSweep, GroupedAndCorrectedPoisson) {
  Pruefen({
      {61,
       {Pkt({1600}, {2}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double m = p.fest[0];
         return Terme(p, [&](long double j) {
           long double s = 0;
           for (long double v = j * m; v < (j + 1) * m; ++v) s += std::exp(LogPois(p.par[0], v));
           return s;
         });
       }},
      {83,
       {Pkt({800, 0.3}, {}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return Terme(p, [&](long double i) {
           const long double q = std::exp(LogPois(a, i));
           return i == 0 ? q * (1 + a * b) : i == 1 ? q * (1 - b) : q;
         });
       }},
      {84,
       {Pkt({800, 0.1}, {}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return Terme(p, [&](long double j) {
           return std::exp(LogPois(a, j)) *
                  (1 + b * (j * j - (2 * a + 1) * j + a * a) / (2 * a * a));
         });
       }},
      // P(i) = Pois(i; a) (a (1 - b) + i b)/a.
      {96,
       {Pkt({800, 0.3}, {}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return Terme(
             p, [&](long double i) { return std::exp(LogPois(a, i)) * (a * (1 - b) + i * b) / a; });
       }},
      {97,
       {Pkt({800, 0.3}, {5}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.fest[0];
         return Terme(p, [&](long double i) {
           return (1 - b) * std::exp(LogPois(a, i)) +
                  (i >= m ? b * std::exp(LogPois(a, i - m)) : 0);
         });
       }},
      {98,
       {Pkt({800, 0.3, 5}, {}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.par[2];
         return Terme(p, [&](long double i) {
           return (1 - b) * std::exp(LogPois(a, i)) +
                  (i >= m ? b * std::exp(LogPois(a, i - m)) : 0);
         });
       }},
      // P(x) = sum_{k=1}^{x} Pois(k; a) C(x - 1, k - 1) b^k (1 - b)^(x - k), P(0) = e^-a.
      {99,
       {Pkt({720, 0.9}, {}, 1100)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return Terme(p, [&](long double x) {
           if (x == 0) return std::exp(-a);
           long double s = 0;
           for (long double k = 1; k <= x; ++k)
             s += std::exp(LogPois(a, k) + LogBinomL(x - 1, k - 1) + k * std::log(b) +
                           (x - k) * std::log1p(-b));
           return s;
         });
       }},
      // (F(x; a) - F(x; b))/(b - a), F the Poisson distribution function.
      {101,
       {Pkt({800, 900}, {}, 950)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         std::vector<long double> r(p.L + 1);
         long double Fa = 0, Fb = 0;
         for (std::uint32_t x = 0; x <= p.L; ++x) {
           Fa += std::exp(LogPois(a, x));
           Fb += std::exp(LogPois(b, x));
           r[x] = (Fa - Fb) / (b - a);
         }
         return r;
       }},
      // P(x) = sum_j e^-a a1^(x - 2j) a2^j / ((x - 2j)! j!), a1 = a (1 - b), a2 = a b.
      {111,
       {Pkt({800, 0.3}, {}, 1300)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         const long double l1 = std::log(a * (1 - b)), l2 = std::log(a * b);
         return Terme(p, [&](long double x) {
           long double s = 0;
           for (long double j = 0; 2 * j <= x; ++j)
             s += std::exp(-a + (x - 2 * j) * l1 + j * l2 - LogFak(x - 2 * j) - LogFak(j));
           return s;
         });
       }},
  });
}

TEST(FirstClassUnderflowSweep, BinomialAndNegativeBinomialForms) {
  const auto nb = [](long double k, long double p, long double i) {
    return std::exp(std::lgamma(k + i) - std::lgamma(k) - LogFak(i) + k * std::log(p) +
                    i * std::log1p(-p));
  };
  Pruefen({
      {89,
       {Pkt({0.4, 0.3}, {2000}, 1200), Pkt({0.4, 0.3}, {1420}, 1000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.fest[0], q = p.par[0], b = p.par[1];
         return Terme(p, [&](long double i) {
           const long double B = BinL(n, q, i);
           return i == 0 ? B * (1 + b * n * q / (1 - q)) : i == 1 ? B * (1 - b) : B;
         });
       }},
      {90,
       {Pkt({2000, 0.4, 0.3}, {}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.par[0], q = p.par[1], b = p.par[2];
         return Terme(p, [&](long double i) {
           const long double B = BinL(n, q, i);
           return i == 0 ? B * (1 + b * n * q / (1 - q)) : i == 1 ? B * (1 - b) : B;
         });
       }},
      {91,
       {Pkt({2000, 0.4}, {0.3}, 1200), Pkt({1420, 0.4}, {0.3}, 1000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.par[0], q = p.par[1], b = p.fest[0];
         return Terme(p, [&](long double i) {
           return i == 0 ? 1 - b : b * BinL(n, q, i) / -std::expm1(n * std::log1p(-q));
         });
       },
       false},
      {93,
       {Pkt({0.4}, {2000}, 1000)},
       Letzte::kPunkt,
       [](const SweepPunkt& p) {
         std::vector<long double> l(p.L + 1);
         for (std::uint32_t i = 0; i <= p.L; ++i) l[i] = LogBin(p.fest[0], p.par[0], i);
         return LogNormiert(l);
       }},
      {94,
       {Pkt({0.99, 0.7}, {170, 5}, 170)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.fest[0], m = p.fest[1], q = p.par[0], b = p.par[1];
         return Terme(p, [&](long double i) { return b * BinL(n, q, i) + (i == m ? 1 - b : 0); });
       },
       false},
      {95,
       {Pkt({1500, 0.4}, {0.3}, 3500), Pkt({790, 0.4}, {0.3}, 2000)},
       Letzte::kRest,
       [nb](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1], b = p.fest[0];
         return Terme(p, [&](long double i) {
           return i == 0 ? 1 - b : b * nb(k, q, i) / -std::expm1(k * std::log(q));
         });
       },
       false},
      {102,
       {Pkt({0.6, 0.3}, {812}, 812), Pkt({0.4, 0.3}, {1420}, 1000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.fest[0], q = p.par[0], b = p.par[1];
         return Terme(p, [&](long double i) { return (i == 0 ? 1 - b : 0) + b * BinL(n, q, i); });
       },
       false},
      {103,
       {Pkt({812, 0.6, 0.3}, {}, 812), Pkt({1420, 0.4, 0.3}, {}, 1000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.par[0], q = p.par[1], b = p.par[2];
         return Terme(p, [&](long double i) { return (i == 0 ? 1 - b : 0) + b * BinL(n, q, i); });
       },
       false},
      {108,
       {Pkt({812, 0.4, 0.5}, {}, 1500), Pkt({790, 0.4, 0.5}, {}, 2000)},
       Letzte::kRest,
       [nb](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1], b = p.par[2];
         return Terme(p, [&](long double i) { return (i == 0 ? 1 - b : 0) + b * nb(k, q, i); });
       },
       false},
      {109,
       {Pkt({0.6}, {812, 0.3}, 812), Pkt({0.4}, {1420, 0.3}, 1000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.fest[0], q = p.par[0], b = p.fest[1];
         return Terme(p, [&](long double i) {
           return i == 0 ? 1 - b : b * BinL(n, q, i) / -std::expm1(n * std::log1p(-q));
         });
       },
       false},
  });
}

TEST(FirstClassUnderflowSweep, WaringBorelTannerZeroModifiedPoissonAndLogarithmicPoisson) {
  Pruefen({
      {74,
       {Pkt({2000, 1600.5, 1600.5}, {}, 3500), Pkt({1000, 1500, 1500}, {}, 5000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], c = p.par[2], s = a + b + c;
         return Terme(p, [&](long double i) {
           return std::exp(std::lgamma(a + b) + std::lgamma(a + c) - std::lgamma(a) -
                           std::lgamma(s) + std::lgamma(b + i) - std::lgamma(b) +
                           std::lgamma(c + i) - std::lgamma(c) - std::lgamma(s + i) +
                           std::lgamma(s) - LogFak(i));
         });
       }},
      // P(x) = b x^(x-b-1) e^(-a x) a^(x-b)/(x-b)!, x = b + i.
      {82,
       {Pkt({0.9}, {780}, 12000, 780)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.fest[0];
         return Terme(p, [&](long double i) {
           const long double x = b + i;
           return std::exp(std::log(b) + (x - b - 1) * std::log(x) - a * x + i * std::log(a) -
                           LogFak(i));
         });
       }},
      // P(0) = 1 - b, P(x) = b Pois(x; a)/(1 - e^-a) on the values x = i.
      {73,
       {Pkt({740}, {0.4}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.fest[0];
         return Terme(p, [&](long double i) {
           return i == 0 ? 1 - b : b * std::exp(LogPois(a, i)) / -std::expm1(-a);
         });
       },
       false},
      // P(i) = sum_k -r^k/(k ln(1 - r)) Pois(i; k a).
      {104,
       {Pkt({1300, 0.5}, {}, 2600), Pkt({760, 0.9}, {}, 1600)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], r = p.par[1], c = std::log1p(-r);
         return Terme(p, [&](long double i) {
           if (i == 0) return std::log1p(-r * std::exp(-a)) / c;
           long double s = 0;
           for (long double k = 1; k < 200; ++k)
             s += -std::pow(r, k) / (k * c) * std::exp(LogPois(k * a, i));
           return s;
         });
       }},
  });
}

TEST(FirstClassUnderflowSweep, UniformMixturesWithASubnormalFirstMixingTerm) {
  const auto bin = [](long double n, long double q) {
    return [=](std::uint32_t v) { return LogBin(n, q, v); };
  };
  Pruefen({
      {75,
       {Pkt({212, 0.97}, {}, 212), Pkt({2000, 0.4}, {}, 1000)},
       Letzte::kRest,
       [bin](const SweepPunkt& p) {
         return MischungL(p.L, static_cast<std::uint32_t>(p.par[0]), bin(p.par[0], p.par[1]));
       },
       false},
      {76,
       {Pkt({0.98}, {200}, 199), Pkt({0.4}, {2000}, 1000)},
       Letzte::kRest,
       [bin](const SweepPunkt& p) {
         return MischungL(p.L, static_cast<std::uint32_t>(p.fest[0]), bin(p.fest[0], p.par[0]));
       },
       false},
      {77,
       {Pkt({212}, {0.97}, 150)},
       Letzte::kRest,
       [bin](const SweepPunkt& p) {
         return MischungL(p.L, static_cast<std::uint32_t>(p.par[0]), bin(p.par[0], p.fest[0]));
       },
       false},
      {79,
       {Pkt({800}, {}, 1000), Pkt({710}, {}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0];
         return MischungL(p.L, p.L + 3000, [&](std::uint32_t v) { return LogPois(a, v); });
       },
       false},
      {80,
       {Pkt({1000, 0.3}, {}, 3000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double s = p.par[0], q = p.par[1];
         return MischungL(p.L, p.L + 4000, [&](std::uint32_t v) {
           return std::lgamma(s + v) - std::lgamma(s) - LogFak(v) + s * std::log(q) +
                  v * std::log1p(-q);
         });
       },
       false},
  });
}

// Members 112 to 222 with a closed form: truncated, mixed, corrected and weighted forms of the
// Poisson, binomial and negative binomial laws, and the Lagrangian forms, each from its
// logarithms.
TEST(FirstClassUnderflowSweep, ClosedFormsFrom112) {
  const auto nb = [](long double k, long double q, long double i) {
    return i < 0 ? 0 : std::exp(LogNB(k, q, i));
  };
  const auto po = [](long double a, long double i) { return i < 0 ? 0 : std::exp(LogPois(a, i)); };
  Pruefen({
      // Poisson with the values 3 and 4 left out and the rest scaled up.
      {112,
       {Pkt({800}, {2, 5}, 1200)},
       Letzte::kRest,
       [po](const SweepPunkt& p) {
         const long double a = p.par[0];
         const long double S = po(a, 3) + po(a, 4);
         return Terme(p, [&](long double x) { return x == 3 || x == 4 ? 0 : po(a, x) / (1 - S); });
       }},
      // Values from m = 5: NB(x)/(1 - sum_{x<m} NB(x)).
      {113,
       {Pkt({1500, 0.4}, {5}, 3500, 5)},
       Letzte::kRest,
       [nb](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1];
         long double S = 0;
         for (long double x = 0; x < 5; ++x) S += nb(k, q, x);
         return Terme(p, [&](long double j) { return nb(k, q, j + 5) / (1 - S); });
       }},
      // Values 5..4000: NB(x)/S, S the sum over them.
      {114,
       {Pkt({1500, 0.4}, {5, 4000}, 3500, 5)},
       Letzte::kRest,
       [nb](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1];
         long double S = 0;
         for (long double x = 5; x <= 4000; ++x) S += nb(k, q, x);
         return Terme(p, [&](long double j) { return nb(k, q, j + 5) / S; });
       }},
      // Binomial on the values 5..2000, n = 2000.
      {115,
       {Pkt({0.4}, {2000, 5, 2000}, 1200, 5)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.fest[0], q = p.par[0];
         long double S = 0;
         for (long double x = 5; x <= n; ++x) S += BinL(n, q, x);
         return Terme(p, [&](long double j) { return BinL(n, q, j + 5) / S; });
       }},
      {116,
       {Pkt({2000, 0.4}, {5, 2000}, 1200, 5)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.par[0], q = p.par[1];
         long double S = 0;
         for (long double x = 5; x <= n; ++x) S += BinL(n, q, x);
         return Terme(p, [&](long double j) { return BinL(n, q, j + 5) / S; });
       }},
      // NB with a share c of class 1 moved to class 0.
      {117,
       {Pkt({1500, 0.4, 0.3}, {}, 3500)},
       Letzte::kRest,
       [nb](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1], c = p.par[2];
         return Terme(p, [&](long double i) {
           return i == 0   ? nb(k, q, 0) * (1 + k * c * (1 - q))
                  : i == 1 ? nb(k, q, 1) * (1 - c)
                           : nb(k, q, i);
         });
       }},
      // Two-component mixtures w f1 + (1 - w) f2.
      {131,
       {Pkt({0.4, 0.5, 0.3}, {2000}, 1300)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.fest[0], w = p.par[2];
         return Terme(p, [&](long double i) {
           return w * BinL(n, p.par[0], i) + (1 - w) * BinL(n, p.par[1], i);
         });
       }},
      {132,
       {Pkt({0.4, 0.5, 0.3, 2000}, {}, 1300)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.par[3], w = p.par[2];
         return Terme(p, [&](long double i) {
           return w * BinL(n, p.par[0], i) + (1 - w) * BinL(n, p.par[1], i);
         });
       }},
      {133,
       {Pkt({800, 900, 0.3}, {}, 1300)},
       Letzte::kRest,
       [po](const SweepPunkt& p) {
         const long double w = p.par[2];
         return Terme(
             p, [&](long double i) { return w * po(p.par[0], i) + (1 - w) * po(p.par[1], i); });
       }},
      {136,
       {Pkt({800, 0.4, 0.3}, {2000}, 1200)},
       Letzte::kRest,
       [po](const SweepPunkt& p) {
         const long double w = p.par[2];
         return Terme(p, [&](long double i) {
           return w * po(p.par[0], i) + (1 - w) * BinL(p.fest[0], p.par[1], i);
         });
       }},
      // Values from 1: zero-truncated Poissons.
      {137,
       {Pkt({800, 900, 0.3}, {}, 1300, 1)},
       Letzte::kRest,
       [po](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], w = p.par[2];
         return Terme(p, [&](long double j) {
           return w * po(a, j + 1) / -std::expm1(-a) + (1 - w) * po(b, j + 1) / -std::expm1(-b);
         });
       }},
      // NB mixed with itself displaced by one.
      {138,
       {Pkt({1500, 0.4, 0.3}, {}, 3500)},
       Letzte::kRest,
       [nb](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1], w = p.par[2];
         return Terme(p,
                      [&](long double i) { return (1 - w) * nb(k, q, i) + w * nb(k, q, i - 1); });
       }},
      {162,
       {Pkt({2000, 0.4, 0.3}, {}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.par[0], q = p.par[1], w = p.par[2];
         return Terme(p, [&](long double i) {
           return (1 - w) * BinL(n, q, i) + (i > 0 ? w * BinL(n, q, i - 1) : 0);
         });
       }},
      // Po(i) - b Po(i - 1) + b Po(i - 2).
      {152,
       {Pkt({800, 0.3}, {}, 1200)},
       Letzte::kRest,
       [po](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return Terme(
             p, [&](long double i) { return po(a, i) - b * po(a, i - 1) + b * po(a, i - 2); });
       }},
      // B(j) (1 - j b/(n p) (1 - (j - 1)/((n - 1) p))).
      {153,
       {Pkt({0.4, 0.5}, {2000}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.fest[0], q = p.par[0], b = p.par[1];
         return Terme(p, [&](long double j) {
           return BinL(n, q, j) * (1 - j * b / (n * q) * (1 - (j - 1) / ((n - 1) * q)));
         });
       }},
      // B(j; n, p)(1 + a/2 (j(j - 1)/p + (n - j)(n - j - 1)/(1 - p) - n(n - 1))).
      {200,
       {Pkt({0.0001, 0.4}, {2000}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.fest[0], a = p.par[0], q = p.par[1];
         return Terme(p, [&](long double j) {
           return BinL(n, q, j) *
                  (1 + a / 2 * (j * (j - 1) / q + (n - j) * (n - j - 1) / (1 - q) - n * (n - 1)));
         });
       }},
      // Generalized Poisson a (a + x b)^(x - 1) e^(-a - x b)/x!, and with an inflated zero.
      {175,
       {Pkt({800, 0.3}, {}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return Terme(p, [&](long double x) {
           return std::exp(std::log(a) + (x - 1) * std::log(a + x * b) - a - x * b - LogFak(x));
         });
       }},
      {176,
       {Pkt({800, 0.3, 0.7}, {}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], w = p.par[2];
         return Terme(p, [&](long double x) {
           return (x == 0 ? 1 - w : 0) +
                  w * std::exp(std::log(a) + (x - 1) * std::log(a + x * b) - a - x * b - LogFak(x));
         });
       },
       false},
      // k/(k + b x) C(k + b x, x) p^x (1 - p)^(k + b x - x).
      {177,
       {Pkt({1500, 0.6, 0.5}, {}, 1600)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1], b = p.par[2];
         return Terme(p, [&](long double x) {
           return std::exp(std::log(k / (k + b * x)) + LogBinomL(k + b * x, x) + x * std::log(q) +
                           (k + b * x - x) * std::log1p(-q));
         });
       }},
      // C(n, x) p (1 - p) (p + x f)^(x - 1) (1 - p + (n - x) f)^(n - x - 1)/(1 + n f)^(n - 1).
      {181,
       {Pkt({1000, 0.6, 1e-4}, {}, 1000), Pkt({2000, 0.4, 1e-4}, {}, 1500),
        Pkt({3000, 0.3, 1e-4}, {}, 2000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.par[0], q = p.par[1], f = p.par[2];
         return Terme(p, [&](long double x) {
           return std::exp(LogBinomL(n, x) + std::log(q * (1 - q)) + (x - 1) * std::log(q + x * f) +
                           (n - x - 1) * std::log(1 - q + (n - x) * f) -
                           (n - 1) * std::log(1 + n * f));
         });
       }},
      // (1 - b)(a + b x)^x e^(-(a + b x))/x!.
      {187,
       {Pkt({800, 0.3}, {}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return Terme(p, [&](long double x) {
           return std::exp(std::log1p(-b) + x * std::log(a + b * x) - (a + b * x) - LogFak(x));
         });
       }},
  });
}

// Members 112 to 222 whose terms are normalised over the classes or over a fixed count of terms.
TEST(FirstClassUnderflowSweep, NormalisedTermsFrom112) {
  Pruefen({
      // C(n, i) p^i up to m, then the ratio p (n - i + 1)/(m - (i - m) p):
      // r(i) = r(m) (n - m)!/(n - i)! Gamma(m/p - (i - m))/Gamma(m/p).
      {156,
       {Pkt({0.5}, {1100, 3000}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double q = p.par[0], m = p.fest[0], n = p.fest[1];
         return NormiertBis(p, p.L, [&](long double i) {
           if (i <= m) return LogBinomL(n, i) + i * std::log(q);
           return LogBinomL(n, m) + m * std::log(q) + LogFak(n - m) - LogFak(n - i) +
                  std::lgamma(m / q - (i - m)) - std::lgamma(m / q);
         });
       }},
      // Poisson terms over 0..Int(k + d) (m = k = 1500, d = 0: no geometric part).
      {160,
       {Pkt({800}, {1500, 1500, 0}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         return NormiertBis(p, 1500, [&](long double i) { return LogPois(p.par[0], i); });
       }},
      // C(n, i) a^i up to m, then the ratio (n - i + 1) a/(m + (i - m) b):
      // r(i) = n!/(n - i)! a^i/(m! b^(i - m)) Gamma(m/b + 1)/Gamma(m/b + i - m + 1).
      {164,
       {Pkt({0.5, 1.5}, {2000, 500}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], n = p.fest[0], m = p.fest[1];
         return NormiertBis(p, p.L, [&](long double i) {
           if (i <= m) return LogBinomL(n, i) + i * std::log(a);
           return LogFak(n) - LogFak(n - i) + i * std::log(a) - LogFak(m) - (i - m) * std::log(b) -
                  std::lgamma(m / b + i - m + 1) + std::lgamma(m / b + 1);
         });
       }},
      // C(c, i) b^i with c = m + a/b up to m, then the ratio a/m.
      {165,
       {Pkt({200, 0.5}, {1500}, 2000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.fest[0], c = m + a / b;
         return NormiertBis(p, p.L, [&](long double i) {
           const long double j = std::min(i, m);
           return LogBinomL(c, j) + j * std::log(b) + (i - j) * std::log(a / m);
         });
       }},
      // a^x/x! up to m, then the ratio a/(m + (x - m) b), over L + 101 terms.
      {166,
       {Pkt({800, 1.2}, {600}, 1100)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.fest[0];
         return NormiertBis(p, p.L + 100, [&](long double x) {
           if (x <= m) return x * std::log(a) - LogFak(x);
           return x * std::log(a) - LogFak(m) - (x - m) * std::log(b) -
                  std::lgamma(m / b + x - m + 1) + std::lgamma(m / b + 1);
         });
       }},
      // lambda^i/(i!)^nu over L + 101 terms.
      {170,
       {Pkt({800, 1}, {}, 1200), Pkt({457.6, 0.9}, {}, 1300)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         return NormiertBis(p, p.L + 100, [&](long double i) {
           return i * std::log(static_cast<long double>(p.par[0])) - p.par[1] * LogFak(i);
         });
       }},
      // a^i/i! up to m, then the ratio a/(i^b m^(1 - b)), over L + 101 terms.
      {172,
       {Pkt({800, 1.2}, {600}, 1100)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.fest[0];
         return NormiertBis(p, p.L + 100, [&](long double i) {
           if (i <= m) return i * std::log(a) - LogFak(i);
           return i * std::log(a) - LogFak(m) - b * (LogFak(i) - LogFak(m)) -
                  (1 - b) * (i - m) * std::log(m);
         });
       }},
      // a^i/(i! (i + a)) over L + 101 terms.
      {183,
       {Pkt({800}, {}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0];
         return NormiertBis(p, p.L + 100, [&](long double i) {
           return i * std::log(a) - LogFak(i) - std::log(i + a);
         });
       }},
      // a^i/(i! (i + b + 1)^c) over L + 2 terms.
      {184,
       {Pkt({800, 2, 1.5}, {}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], c = p.par[2];
         return NormiertBis(p, p.L + 1, [&](long double i) {
           return i * std::log(a) - LogFak(i) - c * std::log(i + b + 1);
         });
       }},
      // B(i; n, p) a^(i (n - i)) over the classes.
      {199,
       {Pkt({1.00001, 0.4}, {2000}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], q = p.par[1], n = p.fest[0];
         return NormiertBis(
             p, p.L, [&](long double i) { return LogBin(n, q, i) + i * (n - i) * std::log(a); });
       }},
  });
}

// log x! for whole x from a table: the stopped sums below take millions of them.
long double LogFakT(long double x) {
  static const std::vector<long double> t = [] {
    std::vector<long double> v(20001);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = std::lgamma(i + 1.0L);
    return v;
  }();
  return t[static_cast<std::size_t>(x)];
}
constexpr long double kUnmoeglich = -std::numeric_limits<long double>::infinity();
// Logarithms of the laws of the sum of j summands: Poisson(j a), binomial(j n, p),
// negative binomial(j k, p) (a sum of j geometrics for k = 1); all whole but a and p.
long double LogPoJ(long double mittel, long double x) {
  if (mittel == 0) return x == 0 ? 0 : kUnmoeglich;
  return -mittel + x * std::log(mittel) - LogFakT(x);
}
long double LogBinJ(long double n, long double q, long double x) {
  if (x > n) return kUnmoeglich;
  return LogFakT(n) - LogFakT(x) - LogFakT(n - x) + x * std::log(q) + (n - x) * std::log1p(-q);
}
long double LogNBJ(long double k, long double q, long double x) {
  if (k == 0) return x == 0 ? 0 : kUnmoeglich;
  return LogFakT(k + x - 1) - LogFakT(k - 1) - LogFakT(x) + k * std::log(q) + x * std::log1p(-q);
}

// The law of a sum of a random count of summands, over the count j = 0..J: sum of w(j) h(j, x),
// both from their logarithms. For every family here log w(j) + log h(j, x) is concave in j (the
// second differences of log-gamma terms), so the terms of a class rise to one peak and fall:
// from the peak of the class before, the sum climbs to this class's peak and adds terms on both
// sides down to e^-30 of it, the rest (falling at least geometrically) far below 1e-9 of the
// class. Long double holds every term down to 1e-4900.
template <typename LogW, typename LogH>
std::vector<long double> GestoppteSumme(const SweepPunkt& p, std::uint32_t J, LogW logw,
                                        LogH logh) {
  std::vector<long double> w(J + 1);
  for (std::uint32_t j = 0; j <= J; ++j) w[j] = logw(static_cast<long double>(j));
  std::uint32_t gipfel = 0;
  return Terme(p, [&](long double x) {
    const auto t = [&](std::uint32_t j) { return w[j] + logh(static_cast<long double>(j), x); };
    if (t(gipfel) == kUnmoeglich) {
      std::uint32_t j = 0;
      while (j <= J && t(j) == kUnmoeglich) ++j;
      if (j > J) return 0.0L;
      gipfel = j;
    }
    while (gipfel < J && t(gipfel + 1) > t(gipfel)) ++gipfel;
    while (gipfel > 0 && t(gipfel - 1) > t(gipfel)) --gipfel;
    const long double oben = t(gipfel);
    long double s = 0;
    for (std::uint32_t j = gipfel; j <= J; ++j) {
      const long double l = t(j);
      if (l < oben - 30) break;
      s += std::exp(l);
    }
    for (std::uint32_t j = gipfel; j-- > 0;) {
      const long double l = t(j);
      if (l < oben - 30) break;
      s += std::exp(l);
    }
    return s;
  });
}

// Stopped sums (Poisson, binomial and negative binomial counts of Poisson, binomial and
// geometric or negative binomial summands), the Thomas law, Neyman type A with an added Poisson
// count and the generalized Hermite law, each as the sum over the count of summands.
TEST(FirstClassUnderflowSweep, StoppedSumsFrom112) {
  Pruefen({
      {118,
       {Pkt({2, 850}, {}, 2100)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return GestoppteSumme(
             p, 2000, [&](long double j) { return LogPois(b, j); },
             [&](long double j, long double x) { return LogPoJ(j * a, x); });
       }},
      // j clusters of 1 + Poisson(phi) each.
      {119,
       {Pkt({800, 0.5}, {}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double l = p.par[0], f = p.par[1];
         return GestoppteSumme(
             p, 1500, [&](long double j) { return LogPois(l, j); },
             [&](long double j, long double x) {
               return x < j ? kUnmoeglich : LogPoJ(j * f, x - j);
             });
       }},
      {120,
       {Pkt({1000, 0.5}, {2}, 1400)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double l = p.par[0], q = p.par[1], n = p.fest[0];
         return GestoppteSumme(
             p, 2000, [&](long double j) { return LogPois(l, j); },
             [&](long double j, long double x) { return LogBinJ(j * n, q, x); });
       }},
      {121,
       {Pkt({1000, 2, 0.5}, {}, 1400)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double l = p.par[0], n = p.par[1], q = p.par[2];
         return GestoppteSumme(
             p, 2000, [&](long double j) { return LogPois(l, j); },
             [&](long double j, long double x) { return LogBinJ(j * n, q, x); });
       }},
      {122,
       {Pkt({2, 0.5}, {1500}, 1800)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], pi = p.par[1], m = p.fest[0];
         return GestoppteSumme(
             p, 1500, [&](long double j) { return LogBin(m, pi, j); },
             [&](long double j, long double x) { return LogPoJ(j * a, x); });
       }},
      {123,
       {Pkt({2, 1500, 0.5}, {}, 1800)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], m = p.par[1], pi = p.par[2];
         return GestoppteSumme(
             p, 1500, [&](long double j) { return LogBin(m, pi, j); },
             [&](long double j, long double x) { return LogPoJ(j * a, x); });
       }},
      {124,
       {Pkt({1200, 1, 0.4}, {}, 2300)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], a = p.par[1], c = p.par[2];
         return GestoppteSumme(
             p, 3300, [&](long double j) { return LogNB(k, c, j); },
             [&](long double j, long double x) { return LogPoJ(j * a, x); });
       }},
      {125,
       {Pkt({0.5, 0.5}, {2, 1600}, 1100)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double pi = p.par[0], q = p.par[1], n = p.fest[0], m = p.fest[1];
         return GestoppteSumme(
             p, 1600, [&](long double j) { return LogBin(m, pi, j); },
             [&](long double j, long double x) { return LogBinJ(j * n, q, x); });
       }},
      {126,
       {Pkt({0.9, 0.5}, {1500}, 1700)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double pi = p.par[0], q = p.par[1], m = p.fest[0];
         return GestoppteSumme(
             p, 1500, [&](long double j) { return LogBin(m, pi, j); },
             [&](long double j, long double x) { return LogNBJ(j, q, x); });
       }},
      {140,
       {Pkt({1200, 0.5, 0.4}, {2}, 2200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1], c = p.par[2], n = p.fest[0];
         return GestoppteSumme(
             p, 3300, [&](long double j) { return LogNB(k, c, j); },
             [&](long double j, long double x) { return LogBinJ(j * n, q, x); });
       }},
      {141,
       {Pkt({1000, 0.5, 0.3}, {}, 2900)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1], c = p.par[2];
         return GestoppteSumme(
             p, 4100, [&](long double j) { return LogNB(k, c, j); },
             [&](long double j, long double x) { return LogNBJ(j, q, x); });
       }},
      {148,
       {Pkt({1000, 1, 0.3, 0.5}, {}, 2900)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], k2 = p.par[1], c = p.par[2], q = p.par[3];
         return GestoppteSumme(
             p, 4100, [&](long double j) { return LogNB(k, c, j); },
             [&](long double j, long double x) { return LogNBJ(j * k2, q, x); });
       }},
      {149,
       {Pkt({1, 0.9, 0.5}, {1500}, 1700)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], pi = p.par[1], q = p.par[2], m = p.fest[0];
         return GestoppteSumme(
             p, 1500, [&](long double j) { return LogBin(m, pi, j); },
             [&](long double j, long double x) { return LogNBJ(j * k, q, x); });
       }},
      {174,
       {Pkt({850, 2, 100}, {}, 2300)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], c = p.par[2];
         return GestoppteSumme(
             p, 2000, [&](long double j) { return LogPois(a, j); },
             [&](long double j, long double x) { return LogPoJ(j * b + c, x); });
       }},
      // g^b exp(a(g - 1)), g the geometric theta/(1 - (1 - theta) s): given j Poisson(a)
      // summands, b + j geometrics, NB(x; b + j, theta).
      {188,
       {Pkt({800, 500, 0.5}, {}, 1700)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], th = p.par[2];
         return GestoppteSumme(
             p, 2000, [&](long double j) { return LogPois(a, j); },
             [&](long double j, long double x) { return LogNBJ(b + j, th, x); });
       }},
      {189,
       {Pkt({500, 0.5}, {800}, 1700)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.fest[0], b = p.par[0], th = p.par[1];
         return GestoppteSumme(
             p, 2000, [&](long double j) { return LogPois(a, j); },
             [&](long double j, long double x) { return LogNBJ(b + j, th, x); });
       }},
      {190,
       {Pkt({800, 0.5}, {500}, 1700)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.fest[0], th = p.par[1];
         return GestoppteSumme(
             p, 2000, [&](long double j) { return LogPois(a, j); },
             [&](long double j, long double x) { return LogNBJ(b + j, th, x); });
       }},
      // A Poisson(lambda) count of Poisson(b w) summands plus an independent Poisson(lambda m)
      // count of Poisson((1 - w) b/m) ones: the convolution of the two Neyman type A laws.
      {196,
       {Pkt({500, 2, 0.5}, {2}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double l = p.par[0], b = p.par[1], w = p.par[2], m = p.fest[0];
         const auto neyman = [&](long double anzahl, long double mittel) {
           return GestoppteSumme(
               p, 3000, [&](long double j) { return LogPois(anzahl, j); },
               [&](long double j, long double x) { return LogPoJ(j * mittel, x); });
         };
         const std::vector<long double> u = neyman(l, b * w), v = neyman(l * m, (1 - w) * b / m);
         return Terme(p, [&](long double x) {
           long double s = 0;
           for (std::uint32_t k = 0; k <= x; ++k) s += u[k] * v[static_cast<std::uint32_t>(x) - k];
           return s;
         });
       }},
      // exp(a(s - 1) + b(s^m - 1)): j Poisson(b) pairs of m and Poisson(a) ones.
      {197,
       {Pkt({500, 300, 2}, {}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.par[2];
         return GestoppteSumme(
             p, 750, [&](long double j) { return LogPois(b, j); },
             [&](long double j, long double x) {
               return x < m * j ? kUnmoeglich : LogPoJ(a, x - m * j);
             });
       }},
      {198,
       {Pkt({500, 300}, {2}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.fest[0];
         return GestoppteSumme(
             p, 750, [&](long double j) { return LogPois(b, j); },
             [&](long double j, long double x) {
               return x < m * j ? kUnmoeglich : LogPoJ(a, x - m * j);
             });
       }},
  });
}

// The hypergeometric law, a geometric whose ratio falls below 1 at m, a hypergeometric-type law
// truncated at the last class, terms a^x q^(x(x - 1)), the law with generating function
// ((1 - a - b)/(1 - a s - b s^2))^k and Poisson terms with a geometric tail.
TEST(FirstClassUnderflowSweep, FurtherFormsFrom112) {
  Pruefen({
      // C(K, x) C(M - K, n - x)/C(M, n).
      {145,
       {Pkt({5000, 3000}, {2000}, 1400)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double M = p.par[0], K = p.par[1], n = p.fest[0];
         return Terme(p, [&](long double x) {
           return std::exp(LogBinomL(K, x) + LogBinomL(M - K, n - x) - LogBinomL(M, n));
         });
       }},
      // a^x q^(x(x - 1)) over L + 101 terms; a = e^6, q = e^-0.006 put the mode at 500.
      {158,
       {Pkt({403.4287934927351, 0.9940179640539353}, {}, 700)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double la = std::log(static_cast<long double>(p.par[0]));
         const long double lq = std::log(static_cast<long double>(p.par[1]));
         return NormiertBis(p, p.L + 100, [&](long double x) { return x * la + x * (x - 1) * lq; });
       }},
      // P(i) = P(0) a^i below m, P(0) a^(m - 1) b^(i - m + 1) from m on, with
      // P(0) = (1 - a)(1 - b)/((1 - a^m)(1 - b) + a^(m - 1)(1 - a) b); a above 1 moves the mode
      // to m.
      {169,
       {Pkt({2, 0.5}, {1000}, 1100)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.fest[0];
         const long double P0 = (1 - a) * (1 - b) /
                                ((1 - std::pow(a, m)) * (1 - b) + std::pow(a, m - 1) * (1 - a) * b);
         return Terme(p, [&](long double i) {
           return i < m ? P0 * std::pow(a, i) : P0 * std::pow(a, m - 1) * std::pow(b, i - m + 1);
         });
       }},
      // n!/(n - i)! a^i Gamma(b)/Gamma(b + i) over the classes.
      {171,
       {Pkt({2000, 1.5, 0.5}, {}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double n = p.par[0], b = p.par[1], a = p.par[2];
         return NormiertBis(p, p.L, [&](long double i) {
           return LogFak(n) - LogFak(n - i) + i * std::log(a) + std::lgamma(b) - std::lgamma(b + i);
         });
       }},
      // The coefficient of s^i: (1 - a - b)^k sum_j (k)_(i - j)/(j! (i - 2j)!) a^(i - 2j) b^j.
      {185,
       {Pkt({0.3, 0.2, 1200}, {}, 2200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], k = p.par[2];
         const long double la = std::log(a), lb = std::log(b), l0 = k * std::log1p(-a - b);
         return Terme(p, [&](long double i) {
           long double s = 0;
           for (long double j = 0; 2 * j <= i; ++j)
             s += std::exp(l0 + LogFakT(k + i - j - 1) - LogFakT(k - 1) - LogFakT(j) -
                           LogFakT(i - 2 * j) + (i - 2 * j) * la + j * lb);
           return s;
         });
       }},
      // Values 1..m, m = x[L]: C(m, x) a/(a + 1) |1 - x a/m|^(x - 1) (x a/m)^(m - x - 1).
      {179,
       {Pkt({0.5}, {}, 1000, 1)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], m = p.L + 1.0L;
         return Terme(p, [&](long double j) {
           const long double x = j + 1;
           return std::exp(LogBinomL(m, x) + std::log(a / (a + 1)) +
                           (x - 1) * std::log(std::fabs(1 - x * a / m)) +
                           (m - x - 1) * std::log(x * a / m));
         });
       }},
      // (a + b)^x/x! over 0..m, S their sum, h = r(m)/S: P(x) = (m - a)/(m - a + a h) r(x)/S.
      {204,
       {Pkt({400, 400}, {1500}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], c = p.par[0] + p.par[1], m = p.fest[0];
         long double S = 0;
         for (long double x = 0; x <= m; ++x) S += std::exp(LogPois(c, x));
         const long double h = std::exp(LogPois(c, m)) / S;
         return Terme(p, [&](long double x) {
           return (m - a) / (m - a + a * h) * std::exp(LogPois(c, x)) / S;
         });
       }},
  });
}

// The laws of the sum of j logarithmic(t) summands (ersterArt) or of j zero-truncated Poisson(t)
// ones, for j = 0..J on the values 0..X, row by row from the recurrences of the Stirling numbers
// of the first and second kind, scaled to probabilities:
//   q(x, j) = j! |s(x, j)| t^x/(x! l^j),  l = -ln(1 - t),
//   q(x + 1, j) = t/(x + 1) (x q(x, j) + j q(x, j - 1)/l);
//   z(x, j) = j! S2(x, j) t^x/(x! (e^t - 1)^j),
//   z(x + 1, j) = t/(x + 1) (j z(x, j) + j z(x, j - 1)/(e^t - 1)).
// Every entry lies in [0, 1]; those that leave the long-double range are far below the classes
// they add to. `zeile(x, q)` receives each row.
template <typename Zeile>
void StirlingZeilen(std::uint32_t X, std::uint32_t J, bool ersterArt, long double t, Zeile zeile) {
  std::vector<long double> q(J + 1, 0);
  q[0] = 1;
  const long double l = ersterArt ? -std::log1p(-t) : std::expm1(t);
  zeile(0, q);
  for (std::uint32_t x = 0; x < X; ++x) {
    for (std::uint32_t j = std::min(x + 1, J); j >= 1; --j)
      q[j] = t / (x + 1) * ((ersterArt ? x : j) * q[j] + j * q[j - 1] / l);
    q[0] = 0;
    zeile(x + 1, q);
  }
}

// Binomial and negative binomial counts of logarithmic summands.
TEST(FirstClassUnderflowSweep, StirlingFormsFrom112) {
  Pruefen({
      {130,
       {Pkt({0.6, 0.5}, {1000}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double pi = p.par[0], th = p.par[1], m = p.fest[0];
         std::vector<long double> r(p.L + 1, 0);
         StirlingZeilen(p.L, static_cast<std::uint32_t>(m), true, th,
                        [&](std::uint32_t x, const std::vector<long double>& q) {
                          for (std::uint32_t j = 0; j <= std::min<std::uint32_t>(x, m); ++j)
                            r[x] += std::exp(LogBin(m, pi, j)) * q[j];
                        });
         return r;
       }},
      {142,
       {Pkt({1000, 0.4, 0.5}, {}, 3200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], c = p.par[1], th = p.par[2];
         std::vector<long double> w(p.L + 1);
         for (std::uint32_t j = 0; j <= p.L; ++j) w[j] = std::exp(LogNB(k, c, j));
         std::vector<long double> r(p.L + 1, 0);
         StirlingZeilen(p.L, p.L, true, th,
                        [&](std::uint32_t x, const std::vector<long double>& q) {
                          for (std::uint32_t j = 0; j <= x; ++j) r[x] += w[j] * q[j];
                        });
         return r;
       }},
  });
}

// Members up to 55 from their laws: 16 as a Poisson count of negative binomial summands, 30 as
// an integral over its gamma mixing law (its first class E[p^c] is below 1e-300 with the mode
// inside the data only for c in the thousands, where its coefficients leave the double range and
// its expectation lies below it); the left-truncated binomial (23, 24), two-rate Poisson (29),
// finite-source queue (33), inverse hypergeometric (40), lost games (43), Poisson with a share
// moved (44) and the zero-truncated negative binomial with a modified first value (51) from closed
// forms in logarithms; 42 from its first class and ratios, summed in logarithms.
TEST(FirstClassUnderflowSweep, MembersUpTo55FromTheirLaws) {
  const LangePmf gestutzt = [](const SweepPunkt& p) {
    const bool fest = p.par[1] == 0;
    const long double n = fest ? p.fest[0] : p.par[0], q = fest ? p.par[0] : p.par[1];
    const long double t = p.x0;
    long double S = 0;
    for (long double v = 0; v < t; ++v) S += BinL(n, q, v);
    return Terme(p, [&](long double i) { return BinL(n, q, t + i) / (1 - S); });
  };
  Pruefen({
      // exp(lambda (g(s) - 1)), g the NB(k, c) pgf: given j summands NB(x; j k, c).
      {16,
       {Pkt({1000, 2, 0.5}, {}, 3000), Pkt({1300, 1, 0.4}, {}, 2600)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double l = p.par[0], k = p.par[1], c = p.par[2];
         return GestoppteSumme(
             p, 2 * static_cast<std::uint32_t>(l), [&](long double j) { return LogPois(l, j); },
             [&](long double j, long double x) { return LogNBJ(j * k, c, x); });
       }},
      // Bin(x; n, p)/(1 - sum_{v<t} Bin(v; n, p)), x = t + i.
      {23, {Pkt({2000, 0.4}, {5}, 1200, 5)}, Letzte::kRest, gestutzt},
      {24, {Pkt({0.4}, {2000, 5}, 1200, 5)}, Letzte::kRest, gestutzt},
      // P(0) = e^-a, P(i) = (a/b) e^-a (b/(b - a))^i Q(i; b - a), Q the Poisson mass from i on.
      {29,
       {Pkt({800, 900}, {}, 1300), Pkt({720, 1000}, {}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], mu = b - a;
         const std::uint32_t V = p.L + 2000;
         std::vector<long double> Q(V + 2, 0);
         for (std::uint32_t v = V + 1; v-- > 0;) Q[v] = Q[v + 1] + std::exp(LogPois(mu, v));
         return Terme(p, [&](long double i) {
           if (i == 0) return std::exp(-a);
           return std::exp(std::log(a / b) - a + i * std::log(b / mu)) *
                  Q[static_cast<std::size_t>(i)];
         });
       }},
      // C(n, i) a^i up to m, then times (n - i + 1) a/m per class: normalised over 0..L.
      {33,
       {Pkt({1}, {1000, 3000}, 2500)},
       Letzte::kPunkt,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], m = p.fest[0], n = p.fest[1];
         return NormiertBis(p, p.L, [&](long double i) {
           if (i <= m) return LogBinomL(n, i) + i * std::log(a);
           return LogBinomL(n, m) + m * std::log(a) + std::lgamma(n - m + 1) -
                  std::lgamma(n - i + 1) + (i - m) * std::log(a / m);
         });
       }},
      // C(i + n - 1, i) C(N' - i - n, R - n)/C(N', R): i failures before the n-th success.
      {40,
       {Pkt({4000, 2000, 1040}, {}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double M = p.par[0], R = p.par[1], n = p.par[2];
         return Terme(p, [&](long double i) {
           return std::exp(LogBinomL(i + n - 1, i) + LogBinomL(M - i - n, R - n) - LogBinomL(M, R));
         });
       }},
      // m/(2x - m) C(2x - m, x) a^(x - m)/(1 + a)^(2x - m), x = m + i.
      {43,
       {Pkt({0.5}, {2000}, 4000, 2000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], m = p.fest[0];
         return Terme(p, [&](long double i) {
           const long double x = m + i;
           return std::exp(std::log(m / (2 * x - m)) + LogBinomL(2 * x - m, x) +
                           (x - m) * std::log(a) - (2 * x - m) * std::log1p(a));
         });
       }},
      {44,
       {Pkt({800, 0.3}, {5}, 1200), Pkt({800, 0.3}, {790}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.fest[0];
         return Terme(p, [&](long double i) {
           const long double q = std::exp(LogPois(a, i));
           return i == m ? q * (1 + a * b / (m + 1)) : i == m + 1 ? q * (1 - b) : q;
         });
       }},
      // The Pascal law mixed over p = e^-Y, Y gamma (shape a, rate b), x = c + i:
      // C(x - 1, c - 1) int g(y) e^(-c y) (1 - e^-y)^(x - c) dy by the trapezoidal rule over
      // y in [0.5, 2] with step 2.5e-4 (the integrand lies within some 0.02 around y = 1 and is
      // below e^-100 of its peak at both ends; the rule's error is far below 1e-9 there).
      {30,
       {Pkt({2000, 2000}, {1000}, 2500, 1000)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], c = p.fest[0];
         constexpr long double kVon = 0.5L, kBis = 2, kH = 2.5e-4L;
         const std::uint32_t K = static_cast<std::uint32_t>((kBis - kVon) / kH);
         std::vector<long double> lg(K + 1), l1(K + 1);
         for (std::uint32_t k = 0; k <= K; ++k) {
           const long double y = kVon + k * kH;
           lg[k] = a * std::log(b) - std::lgamma(a) + (a - 1) * std::log(y) - b * y - c * y;
           l1[k] = std::log(-std::expm1(-y));
         }
         return Terme(p, [&](long double i) {
           const long double logC = LogBinomL(c + i - 1, c - 1);
           long double s = 0;
           for (std::uint32_t k = 0; k <= K; ++k)
             s += (k == 0 || k == K ? 0.5L : 1) * std::exp(logC + lg[k] + i * l1[k]);
           return s * kH;
         });
       }},
      // P(0) = ((ab + c)/c)^(c/a - 1/2) ((ab + c)/(ab + 1))^b (1/(ab + 1))^(1/a - 1/2) and the
      // ratios (i + b - 1)(1 - c + (i - 1)a)/(i((i + b - 1)a + 1)), all in logarithms.
      {42,
       {Pkt({0.0005, 1700, 0.5}, {}, 1800)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], c = p.par[2];
         long double l = (c / a - 0.5L) * std::log((a * b + c) / c) +
                         b * std::log((a * b + c) / (a * b + 1)) -
                         (1 / a - 0.5L) * std::log(a * b + 1);
         return Terme(p, [&](long double i) {
           if (i > 0)
             l += std::log((i + b - 1) * (1 - c + (i - 1) * a) / (i * ((i + b - 1) * a + 1)));
           return std::exp(l);
         });
       }},
      // Values from 1: NB(1)(1 - c)/Z, NB(v)/Z above, Z = 1 - NB(0) - c NB(1).
      {51,
       {Pkt({1500, 0.4, 0.3}, {}, 3500, 1)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1], c = p.par[2];
         const long double Z = 1 - std::exp(LogNB(k, q, 0)) - c * std::exp(LogNB(k, q, 1));
         return Terme(p, [&](long double i) {
           return std::exp(LogNB(k, q, i + 1)) * (i == 0 ? 1 - c : 1) / Z;
         });
       }},
  });
}

// Urn chains: j successes in n trials when the next succeeds with h_j, the whole column of the
// chain carried in long double (where t0^i, the first class, stays representable), for
// 194 (h_j = (j a + p)/(j a + 1)) and 195 (h_j = p/(j a + 1)).
TEST(FirstClassUnderflowSweep, UrnChains) {
  const auto kette = [](bool gedaempft) {
    return [gedaempft](const SweepPunkt& p) {
      const long double a = p.par[0], q = p.par[1];
      const std::uint32_t n = static_cast<std::uint32_t>(p.fest[0]);
      const auto h = [&](long double j) {
        return gedaempft ? q / (j * a + 1) : (j * a + q) / (j * a + 1);
      };
      std::vector<long double> T(n + 1, 0);
      T[0] = 1;
      for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = i; j > 0; --j) T[j] = (1 - h(j)) * T[j] + h(j - 1.0L) * T[j - 1];
        T[0] *= 1 - q;
      }
      T.resize(p.L + 1);
      return T;
    };
  };
  Pruefen({
      {194, {Pkt({0.001, 0.4}, {2000}, 1800)}, Letzte::kRest, kette(false)},
      {195, {Pkt({0.0005, 0.5}, {2000}, 1500)}, Letzte::kRest, kette(true)},
  });
}

// Terms b^v v^-a: for a > 0 log-convex (largest at an end), for a negative shape a power times a
// geometric factor with its mode at -a/ln b; 35 over the values from 1 (normalised over far more
// values than the data's, its tail beyond falling geometrically), 211 over the classes.
TEST(FirstClassUnderflowSweep, PowerTimesGeometricTerms) {
  Pruefen({
      {35,
       {Pkt({-1000, 0.5}, {}, 2000, 1)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return NormiertBis(p, p.L + 3000, [&](long double i) {
           return (i + 1) * std::log(b) - a * std::log(i + 1);
         });
       }},
      {211,
       {Pkt({-1000, 0.5}, {}, 2000, 1), Pkt({-800, 0.6}, {}, 2500, 3)},
       Letzte::kPunkt,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         return NormiertBis(p, p.L, [&](long double i) {
           return (p.x0 + i) * std::log(b) - a * std::log(p.x0 + i);
         });
       }},
  });
}

// 88: a Poisson(lambda) count of zero-truncated Poisson(b) summands, lambda = a (e^b - 1)/b, as
// the sum over the count j of Pois(j; lambda) times the law of j summands (the rows of the
// second kind); e^-lambda, its first class, lies below 1e-300 from lambda of about 691.
TEST(FirstClassUnderflowSweep, PoissonCountOfZeroTruncatedPoissonSummands) {
  Pruefen({
      {88,
       {Pkt({700, 0.2}, {}, 1300), Pkt({250, 2}, {}, 2600), Pkt({760, 0.01}, {}, 1100)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], lambda = a * std::expm1(b) / b;
         std::vector<long double> r(p.L + 1, 0);
         StirlingZeilen(p.L, p.L, false, b,
                        [&](std::uint32_t x, const std::vector<long double>& q) {
                          for (std::uint32_t j = 0; j <= x; ++j)
                            if (q[j] > 0) r[x] += std::exp(LogPois(lambda, j)) * q[j];
                        });
         return r;
       }},
  });
}

// The Stirling laws of both kinds for m in the hundreds, where the Stirling numbers of a row span
// more than the double range and the first class leaves it, each against its rows in long double.
TEST(FirstClassUnderflowSweep, StirlingLawsOfLargeOrder) {
  const auto stirling = [](bool ersterArt) {
    return [ersterArt](const SweepPunkt& p) {
      const std::uint32_t m = static_cast<std::uint32_t>(p.fest[0]);
      std::vector<long double> r(p.L + 1, 0);
      StirlingZeilen(m + p.L, m, ersterArt, p.par[0],
                     [&](std::uint32_t x, const std::vector<long double>& q) {
                       if (x >= m) r[x - m] = q[m];
                     });
      return r;
    };
  };
  Pruefen({
      // m! S2(x, m) a^x/(x! (e^a - 1)^m), x = m + i.
      {163,
       {Pkt({2}, {700}, 1250, 700), Pkt({6}, {300}, 2000, 300), Pkt({3.5}, {600}, 2200, 600),
        Pkt({800}, {2}, 2500, 2)},
       Letzte::kRest,
       stirling(false)},
      // m! |s(x, m)| t^x/(x! (-ln(1 - t))^m), x = m + i.
      {193,
       {Pkt({0.7}, {1300}, 1700, 1300), Pkt({0.7}, {1400}, 1920, 1400),
        Pkt({0.95}, {700}, 5000, 700)},
       Letzte::kRest,
       stirling(true)},
  });
}

// The law of a Poisson(a) count of summands with the law g_1, g_2, ... on 1, 2, ... (g_0 is the
// share that adds nothing) by the compound Poisson recursion in long double, from the first class
// e^(-a (1 - g_0)), which long double holds down to 1e-4900: P(x) = a/x sum_k k g_k P(x - k).
std::vector<long double> PoissonGestoppt(const SweepPunkt& p, long double a,
                                         long double einsMinusG0,
                                         const std::vector<long double>& g) {
  std::vector<long double> r(p.L + 1, 0);
  r[0] = std::exp(-a * einsMinusG0);
  for (std::uint32_t x = 1; x <= p.L; ++x) {
    long double s = 0;
    for (std::uint32_t k = 1; k <= x; ++k) s += k * g[k] * r[x - k];
    r[x] = a / x * s;
  }
  return r;
}

TEST(FirstClassUnderflowSweep, PoissonCountsOfBetaPoissonSummands) {
  Pruefen({
      // b = 0: Poisson(c) summands, given j of them Poisson(j c).
      {143,
       {Pkt({1200, 1}, {0}, 1500)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], c = p.par[1];
         return GestoppteSumme(
             p, 2500, [&](long double j) { return LogPois(a, j); },
             [&](long double j, long double x) { return LogPoJ(j * c, x); });
       }},
      // b = 1: U uniform, g_j = int_0^1 Po(j; c u) du = P(Poisson(c) > j)/c, the tail's first
      // 200 terms (their ratios c/v fall below 1e-2 at once).
      {143,
       {Pkt({1400, 2}, {1}, 1700)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], c = p.par[1];
         std::vector<long double> g(p.L + 1, 0);
         for (std::uint32_t j = 0; j <= p.L; ++j)
           for (std::uint32_t v = j + 1; v <= j + 200; ++v) g[j] += std::exp(LogPois(c, v)) / c;
         return PoissonGestoppt(p, a, 1 - g[0], g);
       }},
  });
}

// 146 for b below 1e-300 (its first class is at least b): with r = e^-a b,
// sum_j S2(i, j) j! c^j is i! [t^i] 1/(1 - c (e^t - 1)) = (1 - r) sum_(k>=1) r^k k^i, so
// P(i) = Po(i; a) (1 - b)^2 sum_(k>=1) r^(k-1) k^i for i >= 1, a positive series summed in
// logarithms (concave in k) past its peak down to e^-40 of it.
TEST(FirstClassUnderflowSweep, PoissonStirlingWithATinyShare) {
  Pruefen({
      {146,
       {Pkt({800, 1e-305}, {}, 1200), Pkt({1000, 1e-302}, {}, 1400)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], e = std::exp(-a);
         const long double logR = -a + std::log(b);
         return Terme(p, [&](long double i) {
           if (i == 0) return (b + e * (1 - 2 * b)) / (1 - e * b);
           const long double l0 = LogPois(a, i) + 2 * std::log1p(-b);
           long double s = 0, gipfel = -std::numeric_limits<long double>::infinity();
           for (long double k = 1;; ++k) {
             const long double l = l0 + (k - 1) * logR + i * std::log(k);
             gipfel = std::max(gipfel, l);
             if (l < gipfel - 40) break;
             s += std::exp(l);
           }
           return s;
         });
       }},
  });
}

// 154: binomial below m; from m on the sum over the trial g of the m-th success, each term in
// logarithms.
TEST(FirstClassUnderflowSweep, BinomialContinuedAfterTheMthSuccess) {
  Pruefen({
      {154,
       {Pkt({0.4, 0.5}, {500, 2000}, 1200), Pkt({0.4, 0.5}, {1000, 2000}, 1300)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double q = p.par[0], bq = p.par[0] * p.par[1], m = p.fest[0], n = p.fest[1];
         return Terme(p, [&](long double i) {
           if (i < m) return std::exp(LogBin(n, q, i));
           long double s = 0;
           for (long double g = m; g <= m + n - i; ++g)
             s += std::exp(LogBinomL(g - 1, m - 1) + m * std::log(q) + (g - m) * std::log1p(-q) +
                           LogBinomL(n - g, i - m) + (i - m) * std::log(bq) +
                           (n - g - i + m) * std::log1p(-bq));
           return s;
         });
       }},
  });
}

// 155: Poisson below m; from m on sum_(x>=i) Po(x; a) C(x - m, i - m) b^(i - m) (1 - b)^(x - i),
// in logarithms over x up to a + 1500 (Po(x; 800) is below e^-700 of its peak there).
TEST(FirstClassUnderflowSweep, PoissonThinnedFromM) {
  Pruefen({
      {155,
       {Pkt({800, 0.5}, {500}, 1200), Pkt({800, 0.3}, {790}, 1200)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], m = p.fest[0];
         return Terme(p, [&](long double i) {
           if (i < m) return std::exp(LogPois(a, i));
           long double s = 0;
           for (long double x = i; x <= std::max(i, a) + 1500; ++x)
             s += std::exp(LogPois(a, x) + LogBinomL(x - m, i - m) + (i - m) * std::log(b) +
                           (x - i) * std::log1p(-b));
           return s;
         });
       }},
  });
}

// 186 with a whole k: since p + d = 1 - c, ((p + d s)/(1 - c s))^k is the pgf of a binomial
// (k, d/(1 - c)) count plus an independent negative binomial (k, 1 - c) one, convolved in
// logarithms. 192 with a whole a: the negative binomial (a + b, p) law times
// (1 - g s)^a/(1 - g)^a, i.e. sum_j C(a, j) (-g)^j NB(x - j)/(1 - g)^a, a few terms in long
// double.
TEST(FirstClassUnderflowSweep, LinearFractionPowers) {
  Pruefen({
      {186,
       {Pkt({1100, 0.5, 0.4}, {}, 1300), Pkt({2000, 0.7, 0.2}, {}, 1100)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double k = p.par[0], q = p.par[1], c = p.par[2], d = 1 - c - q;
         return Terme(p, [&](long double x) {
           long double s = 0;
           for (long double j = 0; j <= std::min(x, k); ++j)
             s += std::exp(LogBin(k, d / (1 - c), j) + LogNB(k, 1 - c, x - j));
           return s;
         });
       }},
      {192,
       {Pkt({1098, 0.5, 0.5}, {2}, 1600), Pkt({795, 0.4, 0.3}, {5}, 1800)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double b = p.par[0], q = p.par[1], c = p.par[2], a = p.fest[0];
         const long double g = (1 - q) * (1 - c) / (1 - (1 - q) * c);
         return Terme(p, [&](long double x) {
           long double s = 0;
           for (long double j = 0; j <= std::min(x, a); ++j)
             s += (static_cast<long long>(j) % 2 ? -1 : 1) *
                  std::exp(LogBinomL(a, j) + j * std::log(g) + LogNB(a + b, q, x - j) -
                           a * std::log1p(-g));
           return s;
         });
       }},
  });
}

// 201 over its whole support 0..m (m the last class's value), each term in logarithms with the
// inner sum of positive terms taken by log-sum-exp, normalised over the support:
// lambda(z) = (z - 1/2) ln z, log T_w as its four lambdas, times B(w; m, 1/c) and
// sum_j C(w, j) (p0)_j (c - 1)^j/(p0 + p1 + m - w)_j.
// 222 (b > -1) by its recurrence in long double, whose range holds the terms up to e^11000,
// normalised over the classes: its terms grow as e^i/i! to about e^e (e = 704.9, 800, 800).
TEST(FirstClassUnderflowSweep, GammaRatioSumsAndAffineTerms) {
  Pruefen({
      {201,
       {Pkt({5, 50, 0}, {2}, 1200), Pkt({100, 100, 0}, {2}, 1200)},
       Letzte::kPunkt,
       [](const SweepPunkt& p) {
         const long double p0 = p.par[0], p1 = p.par[1], c = p.fest[0], m = p.L + p.x0;
         const auto lambda = [](long double z) { return (z - 0.5L) * std::log(z); };
         std::vector<long double> l(p.L + 1);
         for (std::uint32_t k = 0; k <= p.L; ++k) {
           const long double w = k, g = p0 + p1 + m - w;
           std::vector<long double> j(k + 1);
           for (std::uint32_t i = 0; i <= k; ++i)
             j[i] = LogBinomL(w, i) + std::lgamma(p0 + i) - std::lgamma(p0) + i * std::log(c - 1) -
                    std::lgamma(g + i) + std::lgamma(g);
           const long double gipfel = *std::max_element(j.begin(), j.end());
           long double s = 0;
           for (long double v : j) s += std::exp(v - gipfel);
           l[k] = LogBinomL(m, w) + m * std::log1p(-1 / c) - w * std::log(c - 1) + lambda(p0 + p1) +
                  lambda(std::fabs(m + p1 - w)) - lambda(p1) - lambda(g) + gipfel + std::log(s);
         }
         return LogNormiert(l);
       }},
      {222,
       {Pkt({-3.5, 1, 1410}, {}, 1100), Pkt({-3.5, 1, 1600}, {}, 1200),
        Pkt({-4.25, 0.5, 2400}, {}, 1400)},
       Letzte::kPunkt,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1], c = p.par[2], e = b * c / (b + 1);
         std::vector<long double> r(p.L + 1);
         r[0] = 1;
         for (std::uint32_t i = 1; i <= p.L; ++i)
           r[i] = c - e / (i - a - 1) + e * r[i - 1] / (i - a - b - 2);
         return Normiert(r);
       }},
  });
}

// 173 from its terms as written, in long double (a^i up to 800^1200 = 1e3484 and 1/i! down to
// 1e-3175 lie inside its range): S2(i) summed afresh for each class, S1(i) from S1(i - 1) plus
// its new column sum_(l<=i-2) (l + a)^-(i - l - 1); normalised over the classes. The terms grow
// about as a^i/i!, so the first class is of the order of e^-a.
TEST(FirstClassUnderflowSweep, DoublePowerSums) {
  Pruefen({
      {173,
       {Pkt({800}, {}, 1200), Pkt({1000}, {}, 1400)},
       Letzte::kPunkt,
       [](const SweepPunkt& p) {
         const long double a = p.par[0];
         std::vector<long double> r(p.L + 1);
         r[0] = 1;
         r[1] = a;
         r[2] = a * a * (a + 2) / (2 * (a + 1));
         long double S1 = 0;
         for (std::uint32_t i = 3; i <= p.L; ++i) {
           for (std::uint32_t l = 1; l <= i - 2; ++l) S1 += std::pow(l + a, -(i - l - 1.0L));
           long double S2 = 0;
           for (std::uint32_t l = 2; l <= i - 1; ++l) S2 += std::pow(i + a - l, -1.0L * l);
           const long double di = i;
           r[i] = std::exp(di * std::log(a)) * (di + a) *
                  (S2 / di + ((di - 1) / (di + a - 1) - S1) * std::exp(-std::lgamma(di + 1)));
         }
         return Normiert(r);
       }},
  });
}

// 151 as a chain of m trials whose next one succeeds with h_i = b + i a after i successes: its
// class i is then ((b/a)_i/i!) sum_j (-1)^j C(i, j) (1 - b - j a)^m while every h_i up to the
// last reached stays at most 1 (checked by hand for m = 1, 2: b, 1 - b; (1 - b)^2, 2b(1 - b) - ab,
// b(b + a)), here with (1 - b)/a >= m. The column of the chain is carried in long double, its
// first entry (1 - b)^m far inside that range.
TEST(FirstClassUnderflowSweep, FiniteDifferencesOfAPowerAsAChain) {
  Pruefen({
      {151,
       {Pkt({4e-4, 0.8}, {500}, 480), Pkt({2e-4, 0.8}, {500}, 480), Pkt({1e-4, 0.85}, {450}, 440),
        Pkt({3e-4, 0.4}, {2000}, 1600), Pkt({1e-4, 0.3}, {2000}, 1400)},
       Letzte::kRest,
       [](const SweepPunkt& p) {
         const long double a = p.par[0], b = p.par[1];
         const std::uint32_t m = static_cast<std::uint32_t>(p.fest[0]);
         std::vector<long double> T(m + 1, 0);
         T[0] = 1;
         for (std::uint32_t n = 1; n <= m; ++n)
           for (std::uint32_t j = n + 1; j-- > 0;)
             T[j] = (1 - b - j * a) * T[j] + (j > 0 ? (b + (j - 1) * a) * T[j - 1] : 0);
         T.resize(p.L + 1);
         return T;
       }},
  });
}

}  // namespace
}  // namespace vk::test
