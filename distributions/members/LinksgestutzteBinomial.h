// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/members/Binomial.h"

// The expected frequencies that the left-truncated binomial members 23 (free n) and 24 (fixed n)
// share: the binomial b(v) restricted to the values from x[0] on,
//   NP[0] = N b(x[0] - 1) (n - t + 1) p / ((1 - |p|) t) / (1 - S),  S = b(0) + ... + b(x[0] - 1),
// which is N b(t)/(1 - S) when t = x[0]; then the binomial ratio on the class values.
namespace vk::members::linksgestutztebinomial {

inline void Berechnen(Erwartungswerte& NP, const Eingaben& in, double n, double p, double t) {
  const KlassenWerte& x = in.x;
  const double N = in.stat.summe;
  // b(v) for v = 0..x[0]-1 by the binomial recurrence; b(-1) = 0 for data starting at 0.
  double b = 0;
  Summe S = 0;
  for (std::uint32_t v = 0; v < x[0]; ++v) {
    const double dv = static_cast<double>(v);
    b = (v == 0) ? std::exp(n * std::log(1 - p)) : b * (n - dv + 1) * p / ((1 - p) * dv);
    S += b;
  }
  const double np0 =
      N * b * (n - t + 1) * p / ((1 - std::fabs(p)) * t) / (1 - static_cast<double>(S));
  RekursionMitRest(NP, in.stat.n, N, np0, binomial::WerteSchritt(x, n, p));
}

}  // namespace vk::members::linksgestutztebinomial
