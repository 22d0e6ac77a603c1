// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/helpers/Zweierskala.h"

// Stopped sums X = Y_1 + ... + Y_K: K, the number of summands, Poisson, binomial, negative
// binomial or geometric; the summands Y_j independent with probabilities g_j. The probability
// generating function is Q(g(s)), and each of the four primaries gives a convolution recurrence
// over the classes already computed (cost of order L^2):
//   Poisson(l)          NP[x] = l/x                 sum_j j g_j NP[x-j]
//   binomial(m, pi)     NP[x] = pi/(x D)            sum_j ((m + 1) j - x) g_j NP[x-j],  D = 1 - pi
//   + pi g_0 neg. binomial(k, c) NP[x] = (1 - c)/(x D)       sum_j (x + (k - 1) j) g_j NP[x-j],  D
//   = 1 - (1 - c) g_0 geometric(pi)       NP[x] = (1 - pi)/D          sum_j g_j NP[x-j], D = 1 - (1
//   - pi) g_0
// with NP[0] = N Q(g_0). The last class takes the remainder.
namespace vk::members::gestoppt {

enum class Art { kPoisson, kBinomial, kNegativBinomial, kGeometrisch };

// The primary. a: l (Poisson), m (binomial), k (negative binomial), unused (geometric); p: pi
// (binomial, geometric), c (negative binomial), unused (Poisson).
struct Anzahl {
  Art art;
  double a = 0;
  double p = 0;
};

// The summands: g_0, 1 - g_0 formed without cancellation by the caller (1 - e^-a as -expm1(-a),
// for instance), g_1, and the largest value with a positive probability (a binomial summand of n
// trials; unbounded by default). g_j for j >= 2 comes from the ratio g_j/g_(j-1) the caller
// passes to Berechnen. The weights are formed in long double, where g_1 of a summand with a large
// mean is still representable: g_1 .. g_kGewichte once per evaluation into a table, the rest along
// each sum from g_kGewichte on, by the same products in the same order as a chain from g_1 along
// every sum (the values and faults of that chain, at a cost of order L instead of L^2 ratios).
struct Summand {
  long double g0;
  long double einsMinusG0;
  long double g1;
  std::uint32_t hoechstens = std::numeric_limits<std::uint32_t>::max();
};

namespace detail {

// ln(NP[0]/N) from 1 - g_0, without the cancellation of g_0 - 1 near g_0 = 1.
inline long double LogNull(const Anzahl& q, const Summand& g) {
  switch (q.art) {
    case Art::kPoisson:
      return -q.a * g.einsMinusG0;
    case Art::kBinomial:
      return q.a * std::log1p(-q.p * g.einsMinusG0);
    case Art::kNegativBinomial:
      return q.a *
             (std::log(static_cast<long double>(q.p)) - std::log(q.p + (1 - q.p) * g.einsMinusG0));
    case Art::kGeometrisch:
      return std::log(static_cast<long double>(q.p)) - std::log(q.p + (1 - q.p) * g.einsMinusG0);
  }
  return 0;
}

// D of the recurrence (1 for the Poisson).
inline long double Nenner(const Anzahl& q, const Summand& g) {
  switch (q.art) {
    case Art::kPoisson:
      return 1;
    case Art::kBinomial:
      return 1 - q.p * g.einsMinusG0;
    case Art::kNegativBinomial:
    case Art::kGeometrisch:
      return q.p + (1 - q.p) * g.einsMinusG0;
  }
  return 1;
}

}  // namespace detail

// The weights kept in a table per evaluation (16 KB of long doubles on the stack).
inline constexpr std::uint32_t kGewichte = 1024;

namespace detail {

// The coefficient of g_j NP[x-j] in the sum of class x (the Poisson's j sits in its table).
template <Art A>
long double Koeffizient(const Anzahl& q, long double dj, long double dx) {
  if constexpr (A == Art::kPoisson) return dj;
  if constexpr (A == Art::kBinomial) return (q.a + 1) * dj - dx;
  if constexpr (A == Art::kNegativBinomial) return dx + (q.a - 1) * dj;
  return 1;
}

// The factor in front of the sum of class x.
template <Art A>
long double Vorfaktor(const Anzahl& q, long double D, long double dx) {
  if constexpr (A == Art::kPoisson) return q.a / dx;
  if constexpr (A == Art::kBinomial) return q.p / (dx * D);
  if constexpr (A == Art::kNegativBinomial) return (1 - q.p) / (dx * D);
  return (1 - q.p) / D;
}

// The classes 1 .. L - 1 of one kind of primary, fixed at compile time so that the innermost sum
// makes no choice per term. Each term is the product it always was, (coefficient g_j) NP[x-j],
// added in the same order: for the Poisson the table holds j g_j, for the geometric 1 g_j is g_j.
struct Klassenlauf {
  const Eingaben& in;
  Erwartungswerte& NP;
  const Anzahl& q;
  long double D;
  const Summand& g;
  std::uint32_t letzte;
  long double letztesGewicht;  // g_kGewichte itself, where the chain goes on beyond the table
  Zweierskala abwaerts{};

  template <Art A, typename Verhaeltnis>
  void Rechnen(const std::array<long double, kGewichte + 1>& tabelle, Verhaeltnis verhaeltnis) {
    const std::uint32_t L = in.stat.n;
    Unterbrechungszaehler stopp(in);
    for (std::uint32_t x = 1; x < L; ++x) {
      if (x > letzte || stopp.Zaehlen(x)) {
        NP[x] = 0;
        continue;
      }
      const std::uint32_t bis = x < g.hoechstens ? x : g.hoechstens;
      const long double dx = x;
      const std::uint32_t ausTabelle = bis < kGewichte ? bis : kGewichte;
      Summe s = 0;
      for (std::uint32_t j = 1; j <= ausTabelle; ++j) {
        if constexpr (A == Art::kPoisson || A == Art::kGeometrisch) {
          s += tabelle[j] * NP[x - j];
        } else {
          s += Koeffizient<A>(q, j, dx) * tabelle[j] * NP[x - j];
        }
      }
      long double w = letztesGewicht;
      for (std::uint32_t j = kGewichte + 1; j <= bis; ++j) {
        w *= verhaeltnis(j);
        s += Koeffizient<A>(q, j, dx) * w * NP[x - j];
      }
      NP[x] = static_cast<double>(Vorfaktor<A>(q, D, dx) * s);
      abwaerts.Halten(NP[x], std::span(NP).first(x + 1));
    }
  }
};

}  // namespace detail

// `schnitt`: a class from which on the member has proved every class below 1e-300 N (its
// bound written with it); those classes are 0 and their sums are not formed.
template <typename Verhaeltnis>
void Berechnen(const Eingaben& in, Erwartungswerte& NP, const Anzahl& q, const Summand& g,
               Verhaeltnis verhaeltnis,
               std::uint32_t schnitt = std::numeric_limits<std::uint32_t>::max()) {
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const long double logNull = detail::LogNull(q, g);
  const long double D = detail::Nenner(q, g);
  // A binomial number of summands with a whole m and summands of at most n: nothing beyond m n,
  // where the recurrence would leave only rounding of either sign.
  std::uint32_t letzte = L;
  if (q.art == Art::kBinomial && g.hoechstens != std::numeric_limits<std::uint32_t>::max() &&
      q.a >= 0 && q.a < kMaxKlassen && q.a == std::floor(q.a)) {
    const std::uint64_t grenze = static_cast<std::uint64_t>(q.a) * g.hoechstens;
    if (grenze < L) letzte = static_cast<std::uint32_t>(grenze);
  }
  if (schnitt >= 1 && schnitt - 1 < letzte) letzte = schnitt - 1;
  // The recurrence is linear in the classes, and scaling by a power of two changes no digit: the
  // first class is N Q(g_0) while that is a normal double, otherwise carried scaled up by
  // 2^skala; classes that rise far above it are carried scaled down.
  int skala = 0;
  double np0 = static_cast<double>(N * std::exp(logNull));
  if (np0 < std::numeric_limits<double>::min()) {
    const long double log2 = (logNull + std::log(static_cast<long double>(N))) / std::log(2.0L);
    // A first class of 2^-(2^30) or less is out of reach even scaled: the bound raises the fault.
    skala = static_cast<int>(BegrenzteAnzahl(static_cast<double>(-log2), 1u << 30)) - 100;
    np0 = static_cast<double>(std::exp2(log2 + skala));
  }
  // The weights g_1 .. g_j that the sums below reach, as far as the table goes.
  std::uint32_t weitesteJ = std::min(L > 0 ? L - 1 : 0, letzte);
  if (g.hoechstens < weitesteJ) weitesteJ = g.hoechstens;
  std::array<long double, kGewichte + 1> gewicht;
  const std::uint32_t tabelliert = std::min(weitesteJ, kGewichte);
  if (tabelliert >= 1) gewicht[1] = g.g1;
  for (std::uint32_t j = 2; j <= tabelliert; ++j) gewicht[j] = gewicht[j - 1] * verhaeltnis(j);
  // The Poisson's coefficient j goes into its table entries once, (j g_j) rounded as the sum
  // rounded it; the chain beyond the table goes on from the plain weight.
  const long double letztesGewicht = tabelliert >= 1 ? gewicht[tabelliert] : g.g1;
  if (q.art == Art::kPoisson)
    for (std::uint32_t j = 1; j <= tabelliert; ++j)
      gewicht[j] = static_cast<long double>(j) * gewicht[j];
  NP[0] = np0;
  detail::Klassenlauf lauf{in, NP, q, D, g, letzte, letztesGewicht};
  switch (q.art) {
    case Art::kPoisson:
      lauf.Rechnen<Art::kPoisson>(gewicht, verhaeltnis);
      break;
    case Art::kBinomial:
      lauf.Rechnen<Art::kBinomial>(gewicht, verhaeltnis);
      break;
    case Art::kNegativBinomial:
      lauf.Rechnen<Art::kNegativBinomial>(gewicht, verhaeltnis);
      break;
    case Art::kGeometrisch:
      lauf.Rechnen<Art::kGeometrisch>(gewicht, verhaeltnis);
      break;
  }
  skala -= static_cast<int>(lauf.abwaerts.Exponent());
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    if (skala != 0) NP[i] = std::ldexp(NP[i], -skala);
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace vk::members::gestoppt
