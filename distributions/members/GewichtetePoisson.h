// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "distributions/Helpers.h"

// Weighted Poisson terms (members 183, 184): a^i/i! times a weight that varies slowly with i.
// The terms rise to about e^a near i = a before they fall, so in double they overflow from a of
// about 700 on, and their first term e^-a underflows as early. In long double both stay in range
// up to a of about 11000. The terms are therefore summed in long double in a first pass and
// formed again in a second (taken from the first where a table keeps them), each divided by the
// sum as it is written: nothing large is ever stored in a double. Beyond that (e^-a below the
// long double range, or the terms near the mode above it) only the ratios matter: the terms start
// from 1 instead of a first term that is 0, and whenever one passes 2^kSchritt the term and the
// sum are scaled down by that power, the same in both passes; a term is divided by the sum at the
// sum's final scale.
namespace vk::members::gewichtetepoisson {

inline constexpr int kSchritt = 8000;
inline constexpr long double kGrenze = 0x1p8000L;
// The terms of the first pass kept for the second (20 KB on the stack).
inline constexpr std::uint32_t kGemerkt = 1024;

// Member 184's ratio factor (|u|/(u + 1))^c. Where u > 0 and |c| <= 4 u this is
// e^(-c log1p(1/u)) in double, an exponent of at most 4 in magnitude (log1p(1/u) <= 1/u): two
// double functions in place of a long-double power, which costs about 30 times as much and made
// most of that member's time. Rounding 1/u
// moves the logarithm by at most 1.1e-16/(u + 1) of itself, so the factor differs from the power
// by a few units in the 16th digit. Elsewhere (u small against |c|) the power as written; both
// routes give 1 for c = 0.
inline long double PotenzQuote(long double u, long double c) {
  if (u > 0 && std::fabs(c) <= 4 * u) {
    return std::exp(-static_cast<double>(c) * std::log1p(static_cast<double>(1 / u)));
  }
  return std::pow(std::fabs(u) / (u + 1), c);
}

// Normalised terms r[0] = r0, r[i] = schritt(i, r[i-1]) over i = 0..K; with bisKonvergenz the sum
// goes on beyond K while a term still changes it (a support without end whose mode lies near or
// beyond K), and a sum still growing after kMaxWeitereTerme more terms raises the invalid fault.
// NP[i] = N r[i] / S below L, the last class by the tail rule.
template <typename Schritt>
void NormierteTermeLang(Erwartungswerte& NP, std::uint32_t L, std::uint32_t K, double N,
                        long double r0, bool bisKonvergenz, Schritt schritt) {
  const long double start = r0 >= std::numeric_limits<long double>::min() ? r0 : 1.0L;
  const auto weiter = [&](std::uint32_t i, long double& r, int& skala) {
    r = schritt(i, r);
    if (r > kGrenze) {
      r = std::ldexp(r, -kSchritt);
      skala += kSchritt;
      return true;
    }
    return false;
  };
  // The first pass's terms and scales, which the second pass would compute again step by step
  // (the same values: the steps are the same), as far as the table goes.
  std::array<long double, kGemerkt + 1> gemerkt;
  std::array<int, kGemerkt + 1> skalaGemerkt;
  long double r = start;
  Summe S = r;
  int skalaS = 0;
  std::uint32_t i = 1;
  for (; i <= K; ++i) {
    if (weiter(i, r, skalaS)) S = std::ldexp(S, -kSchritt);
    S += r;
    if (i <= kGemerkt) {
      gemerkt[i] = r;
      skalaGemerkt[i] = skalaS;
    }
  }
  const std::uint32_t merkZahl = std::min(K, kGemerkt);
  if (bisKonvergenz) {
    for (; i <= K + kMaxWeitereTerme; ++i) {
      if (weiter(i, r, skalaS)) S = std::ldexp(S, -kSchritt);
      const Summe neu = S + r;
      if (neu == S) break;
      S = neu;
    }
    if (i > K + kMaxWeitereTerme) RaiseInvalid();
  }
  r = start;
  int skala = 0;
  Summe summe = 0;
  for (std::uint32_t j = 0; j < L; ++j) {
    if (j > 0 && j <= merkZahl) {
      r = gemerkt[j];
      skala = skalaGemerkt[j];
    } else if (j > 0) {
      weiter(j, r, skala);
    }
    const long double q = skala == skalaS ? r / S : std::ldexp(r, skala - skalaS) / S;
    NP[j] = static_cast<double>(N * q);
    summe += NP[j];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace vk::members::gewichtetepoisson
