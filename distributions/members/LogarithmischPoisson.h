// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>

#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/helpers/Zweierskala.h"

// What members 104 (a free) and 105 (a = 1) share: the logarithmic stopped sum of Poisson
// summands, X = Y_1 + ... + Y_K with K logarithmic on 1, 2, ... (parameter r) and Y_j Poisson(a).
//   G(s) = ln(1 - r e^(a(s-1))) / ln(1 - r).
// From (1 - q e^(as)) G'' = a G' (q = r e^-a) follows the recurrence for i >= 2
//   i (i - 1)(1 - q) P(i) = q sum_{k=1}^{i-2} a^k/k! (i - k)(i - k - 1) P(i-k) + (i - 1) a P(i-1).
namespace vk::members::logpoisson {

// r of 1 or more is pulled back into (0, 1); written back by the caller's reference.
inline void RKorrigieren(double& r) {
  if (r >= 1) InEinheitsintervallKorrigieren(r);
}

// The weights kept in a table per evaluation (16 KB of long doubles on the stack).
inline constexpr std::uint32_t kGewichte = 1024;

// The classes for a, r, the last one as the remainder. ln(1 - r) and ln(1 - q) are taken as
// log1p(-r) and log1p(-q): for a small r or a large a the written 1 - q rounds away the digits
// the logarithm needs.
inline void Berechnen(const Eingaben& in, Erwartungswerte& NP, double a, double r) {
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  // q and the weights a^k/k! in extended precision: in double q = r e^-a is 0 from a of about 745
  // on, and a^k/k! overflows near k = a from a of about 709 on.
  const long double q = r * std::exp(-static_cast<long double>(a));
  const long double c = std::log1p(-static_cast<long double>(r));
  const long double np0 = N * std::log1p(-q) / c;
  // The recurrence is homogeneous in P: where the first class lies below the double range (a
  // beyond about 700) the classes are carried scaled up, so that those near the multiples of a
  // do not start from zeros, and scaled back at the end. The classes near the mode may then
  // stand far above the first one (e^a times it and more): they are carried scaled down by the
  // same powers of two as the scale, so that none leaves the double range.
  Zweierskala abwaerts;
  long double skala = np0 < 1e-250L ? 1e-250L / np0 : 1;
  // The weights a^k/k!, the same products in the same order for every class: formed once per
  // evaluation as far as the table goes, beyond it along the sum (no factorial).
  std::array<long double, kGewichte + 1> gewicht;
  const std::uint32_t tabelliert = std::min(L > 2 ? L - 3 : 0, kGewichte);
  gewicht[0] = 1;
  for (std::uint32_t k = 1; k <= tabelliert; ++k) gewicht[k] = gewicht[k - 1] * a / k;
  Unterbrechungszaehler stopp(in);
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const long double di = i;
    long double wert;
    if (i == 0) {
      wert = np0 * skala;
    } else if (i == 1) {
      wert = -N * a * q / ((1 - q) * c) * skala;
    } else if (stopp.Zaehlen(i)) {
      wert = 0;
    } else {
      Summe faltung = 0;
      const std::uint32_t bisTabelle = std::min(i - 2, tabelliert);
      for (std::uint32_t k = 1; k <= bisTabelle; ++k) {
        const long double ik = di - k;
        faltung += gewicht[k] * ik * (ik - 1) * NP[i - k];
      }
      long double w = gewicht[bisTabelle];
      for (std::uint32_t k = bisTabelle + 1; k + 1 < i; ++k) {
        w = w * a / k;
        const long double ik = di - k;
        faltung += w * ik * (ik - 1) * NP[i - k];
      }
      wert = (q * faltung + (di - 1) * a * NP[i - 1]) / (di * (di - 1) * (1 - q));
    }
    abwaerts.Halten(wert, std::span(NP).first(i), wert, skala);
    NP[i] = static_cast<double>(wert);
    summe += NP[i];
  }
  if (skala != 1) {
    summe = 0;
    for (std::uint32_t i = 0; i < L; ++i) {
      NP[i] = static_cast<double>(NP[i] / skala);
      summe += NP[i];
    }
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace vk::members::logpoisson
