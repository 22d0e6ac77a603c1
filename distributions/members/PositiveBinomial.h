// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"

// The expected frequencies that the positive binomial members 21 (free n) and 22 (fixed n)
// share: P(value 1) = n p (1 - p)^(n-1) / (1 - (1 - p)^n), then the ratio on the class values.
namespace vk::members::positivebinomial {

inline void Berechnen(Erwartungswerte& NP, const TStatistik& stat, const KlassenWerte& x, double n,
                      double p) {
  const double N = stat.summe;
  const double p0 = n * p * std::pow(1 - p, n - 1) / (1 - std::pow(1 - p, n));
  RekursionMitRest(NP, stat.n, N, N * p0, [&](std::uint32_t i, double vorher) {
    const double xi = static_cast<double>(x[i]);
    return vorher * p * (n - xi + 1) / ((1 - p) * xi);
  });
}

}  // namespace vk::members::positivebinomial
