// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Mixtures of the uniform distributions on 0..v-1 over a mixing value v = 1, 2, ... (members 75
// to 80): P(x) = sum_{v>x} w(v)/v / D, with w the mixing probabilities (or terms proportional
// to them) and D their normaliser. The classes are the running sum of r_v = w(v)/v taken from
// above: each class adds the terms of the higher ones, so no class is a difference of nearly
// equal sums, however small it is next to class 0.
#include <cmath>
#include <cstdint>

#include "core/FpFault.h"
#include "distributions/Member.h"
#include "distributions/helpers/Numerik.h"
#include "distributions/helpers/Schemata.h"

namespace vk::gleichverteilungsmischung {

// How far a series beyond the last class is summed before it counts as divergent.
inline constexpr std::uint32_t kMaxWeitereTerme = 10'000'000;

// The terms r_v of a mixture: r_1 and the ratio r_v / r_{v-1} for v >= 2.
template <typename Verhaeltnis>
struct Terme {
  double r1;
  Verhaeltnis verhaeltnis;
};
// Spelled out for compilers without deduction for aggregates.
template <typename Verhaeltnis>
Terme(double, Verhaeltnis) -> Terme<Verhaeltnis>;

// r_1..r_L into NP[0..L-1] (r_{i+1} in NP[i]); returns r_L, from which the terms beyond L go on
// (r_1 for L = 0, where nothing is stored and no class needs the terms).
template <typename Verhaeltnis>
double TermeBisL(Erwartungswerte& NP, std::uint32_t L, const Terme<Verhaeltnis>& t) {
  double r = t.r1;
  for (std::uint32_t v = 1; v <= L; ++v) {
    if (v > 1) r = t.verhaeltnis(v, r);
    NP[v - 1] = r;
  }
  return r;
}

// The sum of r_v over L < v <= bis, continuing from r_L (L >= 1).
template <typename Verhaeltnis>
Summe EndlicherRest(std::uint32_t L, std::uint32_t bis, double rL, const Terme<Verhaeltnis>& t) {
  Summe s = 0;
  double r = rL;
  for (std::uint32_t v = L + 1; v <= bis; ++v) {
    r = t.verhaeltnis(v, r);
    s += r;
  }
  return s;
}

// The sum of r_v over v > L (L >= 1) of an infinite series: at least up to `mindestens`, then on
// while a term still changes the sum; a series that does not settle within kMaxWeitereTerme
// further terms raises the invalid fault.
template <typename Verhaeltnis>
Summe UnendlicherRest(std::uint32_t L, std::uint32_t mindestens, double rL,
                      const Terme<Verhaeltnis>& t) {
  Summe s = 0;
  double r = rL;
  const std::uint32_t ende = mindestens + kMaxWeitereTerme;
  for (std::uint32_t v = L + 1; v <= ende; ++v) {
    r = t.verhaeltnis(v, r);
    const Summe neu = s + r;
    if (v > mindestens && neu == s) return s;
    s = neu;
  }
  RaiseInvalid();
  return s;
}

// The classes from the terms in NP[0..L-1] and the sum `rest` of the terms beyond L:
// NP[i] = N (r_{i+1} + r_{i+2} + ...) / D, accumulated from class L - 1 down; the last class by
// the tail rule with absolute value.
inline void KlassenVonOben(Erwartungswerte& NP, std::uint32_t L, double N, double D, Summe rest) {
  Summe T = rest;
  Summe summe = 0;
  for (std::uint32_t i = L; i-- > 0;) {
    T += NP[i];
    NP[i] = N * static_cast<double>(T) / D;
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace vk::gleichverteilungsmischung
