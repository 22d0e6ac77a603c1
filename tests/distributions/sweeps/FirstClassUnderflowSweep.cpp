// SPDX-License-Identifier: GPL-3.0-or-later
// Members 0 to 111 where the class a recurrence starts from (or the first mixing term) lies
// below 1e-300 while the mode is well inside the data: a start that underflows turns every class
// into the few digits of a subnormal number, or into 0 with the whole of N in the last class.
// Each point is checked against the member's probability function in long double from
// logarithms (lgamma), independently of the member's route, by the rules of PmfSweep.h.
//
// Not swept here, because their starting class can never be that small while the mode lies
// inside the data: the members whose first class is their largest or bounded below by their form,
// 8, 17 to 19, 31, 36, 37, 53 to 55, 59, 60, 62 to 68, 72, 78, 81, 86, 87, 100, 105 to 107 and
// 110. The uniform mixtures 75 to 80 all decrease, so for them the first mixing term is what is
// made to underflow.
// Not yet covered (no independent long-double form written here): 16, 23, 24, 29, 30, 32 to 35,
// 38 to 40, 42 to 44, 51, 85 and 88. Members 112 to 222 are not swept here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
    for (const SweepPunkt& p : f.punkte) FirstClassTiny(f.nummer, p, f.referenz, f.ersteKlasse);
    Sweep(f.nummer, f.punkte, f.letzte, f.referenz);
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

}  // namespace
}  // namespace vk::test
