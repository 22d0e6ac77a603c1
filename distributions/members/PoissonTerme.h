// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"

// The Poisson probabilities that the corrected and mixed Poisson members (84, 85, 96, 97) build on:
// N Pois(i; a) for the classes i < L, written into NP, their sum returned. From a of about 745
// on e^-a is 0 in double, while the classes near the mode are still representable: the terms
// then start at the mode (or at the highest class below L) in logarithms and run outward.
namespace vk::members::poissonterme {

inline Summe Schreiben(Erwartungswerte& NP, std::uint32_t L, double N, double a) {
  if (L == 0) return 0;
  const double ea = std::exp(-a);
  const auto hoch = [&](double i, double vorher) { return vorher * a / i; };
  if (ea != 0) return RekursionBisRest(NP, L, N * ea, hoch);
  const std::uint32_t j = BegrenzteAnzahl(std::fmin(std::floor(a), L - 1.0), L - 1);
  Summe logFakultaet = 0;
  for (std::uint32_t k = 2; k <= j; ++k) logFakultaet += std::log(static_cast<double>(k));
  const double npj = N * std::exp(j * std::log(a) - a - static_cast<double>(logFakultaet));
  return RekursionVonInnen(NP, L, j, npj, hoch,
                           [&](double i, double danach) { return danach * i / a; });
}

}  // namespace vk::members::poissonterme
