// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Member.h"
#include "distributions/helpers/Numerik.h"

namespace vk {

// The common shapes of an expected-frequency routine. The last class L stands for "L or more":
// it receives the remainder |N - (NP[0] + ... + NP[L-1])| (the tail rule), so the expected
// frequencies sum to N whatever mass the distribution puts beyond L. None of these allocates;
// the step functions are small lambdas that the compiler inlines.

// The tail rule, given the sum of NP[0..L-1].
inline void RestklasseSetzen(Erwartungswerte& NP, std::uint32_t L, double N, Summe summe) {
  NP[L] = static_cast<double>(std::fabs(static_cast<Summe>(N) - summe));
}

// Recurrence with tail rule: NP[0] = np0, NP[i] = schritt(i, NP[i-1]) for 0 < i < L, then the
// tail (RekursionBisRest does the classes below L and returns their sum). `schritt` writes the
// member's ratio in the member's own order of evaluation, for example
// [&](double i, double vorher) { return vorher * (n - i + 1) * p / ((1 - p) * i); }.
template <typename Schritt>
Summe RekursionBisRest(Erwartungswerte& NP, std::uint32_t L, double np0, Schritt schritt) {
  NP[0] = np0;
  Summe summe = 0;
  if (L > 0) summe = NP[0];
  for (std::uint32_t i = 1; i < L; ++i) {
    NP[i] = schritt(static_cast<double>(i), NP[i - 1]);
    summe += NP[i];
  }
  return summe;
}

template <typename Schritt>
void RekursionMitRest(Erwartungswerte& NP, std::uint32_t L, double N, double np0, Schritt schritt) {
  RestklasseSetzen(NP, L, N, RekursionBisRest(NP, L, np0, schritt));
}

// Normalised terms with tail rule: r[0] = 1, r[i] = schritt(i, r[i-1]) for i = 1..K, S = the sum
// of r[0..K]; NP[i] = N r[i] / S for i < L, the tail for L. K = L + 100 stands in for an infinite
// support. The terms below L are kept in NP itself between the two passes, the ones from L on
// only enter the sum: no working array is needed, whatever K is.
template <typename Schritt>
void NormierteTermeMitRest(Erwartungswerte& NP, std::uint32_t L, std::uint32_t K, double N,
                           Schritt schritt) {
  double r = 1;
  Summe S = r;
  if (L > 0) NP[0] = r;
  for (std::uint32_t i = 1; i <= K; ++i) {
    r = schritt(static_cast<double>(i), r);
    S += r;
    if (i < L) NP[i] = r;
  }
  const double s = static_cast<double>(S);
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    NP[i] = N * NP[i] / s;
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace vk
