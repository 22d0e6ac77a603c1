// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cmath>

#include "distributions/Helpers.h"

// What members 19 (Waring) and 210 (its right-truncated form) share: the starts of the
// untruncated law, P(i) = a (b)_i / (a + b)_(i+1).
namespace vk::members::waring {

// From P(0) = a/(a + b) and the mean b/(a - 1): E[1] = a, E[0] = b. From the mean and the second
// factorial moment: E[51] = a, E[50] = b. `g` holds the first classes after zero replacement.
inline void Startwerte(const Eingaben& in, const std::array<double, 4>& g, Schaetzwerttabelle& E) {
  const double N = in.stat.summe;
  const double M = in.stat.m1x0;
  const double fm2 = in.stat.fm2;
  const double h = M * g[0] / N;
  E[1] = std::fabs(h / (h - (1 - g[0] / N)));
  E[0] = (N - g[0]) * E[1] / g[0];
  E[51] = std::fabs((2 * fm2 + 2 * M - 2 * M * M) / (fm2 - 2 * M * M));
  E[50] = (E[51] - 1) * M;
}

}  // namespace vk::members::waring
