// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"

// What the truncated negative binomial and binomial members (113 to 116) share: terms t(v) of the
// values v = 0, 1, ..., bis by a ratio, normalised over a range of values, and the first-ratio
// starts of the negative binomial truncated at its first value.
namespace vk::members::gestutzt {

namespace detail {

// Whether t 2^e exceeds u 2^f, for t and u from 2^-5100 to 2^5100 (or u = 0): scaled by a
// difference of exponents the long double neither overflows nor underflows.
inline bool Groesser(long double t, std::int64_t e, long double u, std::int64_t f) {
  const std::int64_t d = e - f;
  if (d > 10000) return true;
  if (d < -10000) return false;
  return std::ldexp(t, static_cast<int>(d)) > u;
}

}  // namespace detail

// NP[i] = N t(x[i]) / S for the classes below L whose value is at most `bis` (0 for those above),
// S = the sum of t(v) over von <= v <= bisS; the last class by the tail rule. t(0) = e^logT0 and
// t(v)/t(v-1) = verhaeltnis(v). Written from t(0) upward, the first term underflows for a large k
// or n (p^k, (1 - p)^n), and a mode far from the support leaves its terms below the double range
// or lets the terms on the way overflow before the division: every term is therefore taken
// relative to the largest term of the support von..bisS, found through the products of the ratios,
// which gives the same quotients. Only the values of the support and of the
// classes are walked. A support without a value (von > bisS, or beyond bis) leaves S = 0, and
// the division by it raises the fault.
// logT0 shifts every term alike and so does not move the largest one; the callers form it where
// its logarithm decides a fault (p of 0 or less).
template <typename Verhaeltnis>
void Normieren(const Eingaben& in, Erwartungswerte& NP, [[maybe_unused]] Summe logT0,
               std::uint32_t bis, double von, double bisS, Verhaeltnis verhaeltnis) {
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const double x0 = in.x[0];
  // The values walked: the support and the classes below L, within 0..bis.
  const double unten = std::fmax(0, std::fmin(von, x0));
  const double oben = std::fmin(bis, std::fmax(bisS, x0 + L - 1.0));
  for (std::uint32_t i = 0; i < L; ++i) NP[i] = 0;
  Summe S = 0;
  if (unten <= oben) {
    const auto erster = static_cast<std::uint32_t>(unten);
    const auto letzter = static_cast<std::uint32_t>(oben);
    // t(v)/t(0) as a long double times 2^exponent, renormalised by frexp (exact) whenever it
    // leaves 2^-4000..2^4000: a product per value where a logarithm per value made most of the
    // cost. The same largest term as the sum of the logarithms, but for ties within rounding.
    long double produkt = 1, groesster = 0;
    std::int64_t exponent = 0, exponentGroesster = 0;
    bool gefunden = false;
    std::uint32_t j = erster;
    for (std::uint32_t v = 0; v <= letzter; ++v) {
      if (v > 0) {
        const double g = verhaeltnis(v);
        if (!(g > 0)) break;
        produkt *= g;
        if (!(produkt < 0x1p4000L && produkt > 0x1p-4000L)) {
          int e = 0;
          produkt = std::frexp(produkt, &e);
          exponent += e;
        }
      }
      if (v >= von && v <= bisS &&
          (!gefunden || detail::Groesser(produkt, exponent, groesster, exponentGroesster))) {
        groesster = produkt;
        exponentGroesster = exponent;
        j = v;
        gefunden = true;
      }
    }
    const auto ablegen = [&](std::uint32_t v, double t) {
      if (v >= von && v <= bisS) S += t;
      const double i = v - x0;
      if (i >= 0 && i < L) NP[static_cast<std::uint32_t>(i)] = t;
    };
    double term = 1;
    for (std::uint32_t v = j; v <= letzter; ++v) {
      if (v > j) term *= verhaeltnis(v);
      ablegen(v, term);
    }
    term = 1;
    for (std::uint32_t v = j; v > erster; --v) {
      term /= verhaeltnis(v);
      ablegen(v - 1, term);
    }
  }
  TermeNormieren(NP, L, N, S);
}

// The last value a series of terms runs to: Int(x) for x >= 0 (x of ten million or more, or no
// number, raises the fault through FaktorAnzahl); a negative x leaves only the value 0.
inline std::uint32_t LetzterWert(double x) {
  return x < 1 ? 0 : FaktorAnzahl(x);
}

// The starts of the negative binomial truncated below m (members 113, 114), one per alternative
// s = 0..kAlternativen - 1, from the zero-replaced classes 0..2 holding the values x0..x0 + 2:
// p = (s + 1)/10 for the first nine; the last from the two ratios, 1 - p = x2 f2/f1 - x1 f1/f0;
// k from the first ratio f1/f0 = (x1 + k - 1)(1 - p)/x1: k = x1 f1/f0/(1 - p) - m.
inline constexpr std::uint32_t kAlternativen = 10;
inline void NegBinStarts(const Eingaben& in, double m, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double x1 = in.x[0] + 1.0, x2 = in.x[0] + 2.0;
  for (std::uint32_t s = 0; s < kAlternativen; ++s) {
    E[50 + s] =
        s + 1 <= 9 ? (s + 1) / 10.0 : 1 - (g[2] * g[0] * x2 - g[1] * g[1] * x1) / (g[0] * g[1]);
    E[s] = x1 * g[1] / g[0] / (1 - E[50 + s]) - m;
  }
}

// Alternative k: (E[k-1], E[50 + k - 1]).
inline constexpr Alternative kNegBinAlternativen[kAlternativen] = {
    {{0}, {50}}, {{1}, {51}}, {{2}, {52}}, {{3}, {53}}, {{4}, {54}},
    {{5}, {55}}, {{6}, {56}}, {{7}, {57}}, {{8}, {58}}, {{9}, {59}}};

}  // namespace vk::members::gestutzt
