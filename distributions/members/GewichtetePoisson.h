// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"

// Weighted Poisson terms (members 183, 184): a^i/i! times a weight that varies slowly with i.
// The terms rise to about e^a near i = a before they fall, so in double they overflow from a of
// about 700 on, and their first term e^-a underflows as early. In long double both stay in range
// up to a of about 11000. The terms are therefore summed in long double in a first pass and
// computed again in a second, each divided by the sum as it is written: nothing large is ever
// stored in a double.
namespace vk::members::gewichtetepoisson {

// Normalised terms r[0] = r0, r[i] = schritt(i, r[i-1]) over i = 0..K; with bisKonvergenz the sum
// goes on beyond K while a term still changes it (a support without end whose mode lies near or
// beyond K), and a sum still growing after kMaxWeitereTerme more terms raises the invalid fault.
// NP[i] = N r[i] / S below L, the last class by the tail rule.
template <typename Schritt>
void NormierteTermeLang(Erwartungswerte& NP, std::uint32_t L, std::uint32_t K, double N,
                        long double r0, bool bisKonvergenz, Schritt schritt) {
  long double r = r0;
  Summe S = r;
  std::uint32_t i = 1;
  for (; i <= K; ++i) {
    r = schritt(i, r);
    S += r;
  }
  if (bisKonvergenz) {
    for (; i <= K + kMaxWeitereTerme; ++i) {
      r = schritt(i, r);
      const Summe neu = S + r;
      if (neu == S) break;
      S = neu;
    }
    if (i > K + kMaxWeitereTerme) RaiseInvalid();
  }
  r = r0;
  Summe summe = 0;
  for (std::uint32_t j = 0; j < L; ++j) {
    if (j > 0) r = schritt(j, r);
    NP[j] = static_cast<double>(N * r / S);
    summe += NP[j];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace vk::members::gewichtetepoisson
