// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Poisson probabilities in order, for the members built from them (61 groups them, 65 and 68 take
// their upper tails).
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"

namespace vk::members::poisson {

// Below this mean e^-a is a normal double and the plain recurrence keeps every digit.
inline constexpr double kKleinesMittel = 700;

// Calls f(v, Pois(v; a)) for v = 0..bis-1: from e^-a by the ratio a/v where e^-a is a normal
// double; beyond, where it underflows (or keeps only a few bits), each term from its logarithm,
// v log a - a - log v!, the factorial summed in extended precision.
template <typename F>
void Folge(double a, std::uint32_t bis, F f) {
  if (a < kKleinesMittel) {
    double p = std::exp(-a);
    for (std::uint32_t v = 0; v < bis; ++v) {
      f(v, p);
      p *= a / (v + 1.0);
    }
    return;
  }
  const Summe la = std::log(static_cast<Summe>(a));
  Summe logFakultaet = 0;
  for (std::uint32_t v = 0; v < bis; ++v) {
    if (v > 1) logFakultaet += std::log(static_cast<Summe>(v));
    f(v, static_cast<double>(std::exp(v * la - a - logFakultaet)));
  }
}

// P(Y >= k) for Y Poisson(a), given pk = Pois(k; a) and unten = P(Y < k). Up to the mean the
// complement keeps its digits; above it the tail is summed from pk on, its terms falling by
// a/(j + 1) < 1, until they no longer change it.
inline double ObererSchwanz(double a, std::uint32_t k, double pk, Summe unten) {
  if (!(k > a)) return static_cast<double>(1 - unten);
  constexpr std::uint32_t kMaxTerme = 10'000'000;
  Summe summe = pk;
  double t = pk;
  for (std::uint32_t j = k + 1; j <= k + kMaxTerme; ++j) {
    t *= a / j;
    const Summe neu = summe + t;
    if (neu == summe) return static_cast<double>(summe);
    summe = neu;
  }
  RaiseInvalid();
  return static_cast<double>(summe);
}

// NP[i] = N P(Y >= i + s) / teiler for i < L and the tail rule for class L. The written
// recurrences subtract the Poisson probabilities one by one from 1 (or from 1 - e^-a), which
// leaves nothing but rounding once the classes pass the mean; here the upper tail of class L + s
// is summed on its own and every class below adds its probability to it, all terms positive.
inline void SchwanzKlassen(Erwartungswerte& NP, std::uint32_t L, double N, double a,
                           std::uint32_t s, double teiler) {
  const std::uint32_t K = L + s;
  Summe unten = 0;
  double pK = 0;
  Folge(a, K + 1, [&](std::uint32_t v, double p) {
    if (v == K) {
      pK = p;
      return;
    }
    unten += p;
    if (v >= s) NP[v - s] = p;
  });
  Summe schwanz = ObererSchwanz(a, K, pK, unten);
  for (std::uint32_t i = L; i-- > 0;) {
    schwanz += NP[i];
    NP[i] = N * static_cast<double>(schwanz) / teiler;
  }
  // The remainder from the classes in their order, as every other member forms it.
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) summe += NP[i];
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace vk::members::poisson
