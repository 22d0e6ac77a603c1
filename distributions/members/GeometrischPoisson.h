// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"

// What members 106 (a free) and 107 (a = 1) share: the geometric stopped sum of Poisson summands,
// X = Y_1 + ... + Y_K with P(K = k) = (1 - b) b^k, k = 0, 1, ..., and Y_j Poisson(a):
//   G(s) = (1 - b) / (1 - b e^(a(s-1))),
//   P(0) = (1 - b)/(1 - b e^-a),  P(j) = b sum_{k=1}^{j} Pois(k; a) P(j-k) / (1 - b e^-a).
namespace vk::members::geompoisson {

// The Poisson weights kept per evaluation (16 KB on the stack).
inline constexpr std::uint32_t kGewichte = 1024;

inline void Berechnen(const Eingaben& in, Erwartungswerte& NP, double a, double b) {
  const double N = in.stat.summe;
  // The Poisson weights in extended precision: e^-a leaves the double range from a of about 745
  // on, where the classes near multiples of a are still representable.
  const long double ea = std::exp(-static_cast<long double>(a));
  const double nenner = static_cast<double>(1 - b * ea);
  // The Poisson weights w_k = w_(k-1) a/k from w_0 = e^-a, up to kGewichte once per evaluation
  // (on the stack) instead of along every sum: a chain of divisions per class was most of the
  // time. Beyond the table each sum carries the chain on from its last entry, the same products
  // in the same order, so every weight is the long double it was.
  const std::uint32_t L = in.stat.n;
  std::array<long double, kGewichte + 1> gewicht;
  const std::uint32_t tabelliert = L > 1 ? std::min(L - 1, kGewichte) : 0;
  gewicht[0] = ea;
  for (std::uint32_t k = 1; k <= tabelliert; ++k) gewicht[k] = gewicht[k - 1] * a / k;
  Unterbrechungszaehler stopp(in);
  RekursionMitRest(NP, L, N, N * (1 - b) / nenner, [&](std::uint32_t j, double) {
    if (stopp.Zaehlen(j)) return 0.0;
    Summe faltung = 0;
    const std::uint32_t ausTabelle = std::min(j, tabelliert);
    for (std::uint32_t k = 1; k <= ausTabelle; ++k) faltung += gewicht[k] * NP[j - k];
    long double w = gewicht[ausTabelle];
    for (std::uint32_t k = ausTabelle + 1; k <= j; ++k) {
      w = w * a / k;
      faltung += w * NP[j - k];
    }
    return b * static_cast<double>(faltung) / nenner;
  });
}

}  // namespace vk::members::geompoisson
