// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"

// What members 106 (a free) and 107 (a = 1) share: the geometric stopped sum of Poisson summands,
// X = Y_1 + ... + Y_K with P(K = k) = (1 - b) b^k, k = 0, 1, ..., and Y_j Poisson(a):
//   G(s) = (1 - b) / (1 - b e^(a(s-1))),
//   P(0) = (1 - b)/(1 - b e^-a),  P(j) = b sum_{k=1}^{j} Pois(k; a) P(j-k) / (1 - b e^-a).
namespace vk::members::geompoisson {

inline void Berechnen(const Eingaben& in, Erwartungswerte& NP, double a, double b) {
  const double N = in.stat.summe;
  // The Poisson weights in extended precision: e^-a leaves the double range from a of about 745
  // on, where the classes near multiples of a are still representable.
  const long double ea = std::exp(-static_cast<long double>(a));
  const double nenner = static_cast<double>(1 - b * ea);
  Unterbrechungszaehler stopp(in);
  RekursionMitRest(NP, in.stat.n, N, N * (1 - b) / nenner, [&](std::uint32_t j, double) {
    if (stopp.Zaehlen(j)) return 0.0;
    // The Poisson weights formed along the sum, afresh for each class: no working array.
    long double w = ea;
    Summe faltung = 0;
    for (std::uint32_t k = 1; k <= j; ++k) {
      w = w * a / k;
      faltung += w * NP[j - k];
    }
    return b * static_cast<double>(faltung) / nenner;
  });
}

}  // namespace vk::members::geompoisson
