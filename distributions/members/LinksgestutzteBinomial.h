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

// Below the written route's reach: where S is above one half (the truncation point beyond the
// median), 1 - S would keep few digits, and where b(0) = (1 - p)^n is below the normal range the
// b(v) have lost theirs. Both sides are then taken relative to b(x[0]), in logarithms:
// a truncation point above the mode gives P(class 0) = 1 / sum_{v>=x[0]} b(v)/b(x[0]), a sum of
// falling terms; one at or below the mode gives S = b(x[0]) sum_{v<x[0]} b(v)/b(x[0]) (at most
// about one half) and log P(class 0) = log b(x[0]) - log(1 - S), from which the recurrence
// starts at the largest class if P(class 0) is not a normal number.
template <typename Schritt>
void Stabil(Erwartungswerte& NP, const Eingaben& in, double n, double p, Schritt schritt) {
  const std::uint32_t x0 = in.x[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  // P(v)/P(v-1) on the values themselves, not on the classes.
  const auto g = [&](double v) { return (n - v + 1) * p / ((1 - p) * v); };
  const double modus = std::floor((n + 1) * p);
  if (static_cast<double>(x0) > modus) {
    const std::uint32_t ende = FaktorAnzahl(n);
    Summe U = 1;
    double u = 1;
    for (std::uint32_t v = x0 + 1; v <= ende; ++v) {
      u *= g(static_cast<double>(v));
      const Summe neu = U + u;
      if (neu == U) break;
      U = neu;
    }
    RekursionMitRest(NP, L, N, N / static_cast<double>(U), schritt);
    return;
  }
  Summe logB = static_cast<Summe>(n) * std::log1p(-static_cast<Summe>(p));
  for (std::uint32_t v = 1; v <= x0; ++v) logB += std::log(static_cast<Summe>(g(v)));
  Summe D = 0;
  double u = 1;
  for (std::uint32_t v = x0; v > 0; --v) {
    u /= g(static_cast<double>(v));
    D += u;
  }
  const Summe logP0 = logB - std::log1p(-std::exp(logB) * D);
  RekursionMitRestGeschuetzt(
      NP, L, N, static_cast<double>(std::exp(logP0)), [&] { return logP0; }, schritt);
}

inline void Berechnen(Erwartungswerte& NP, const Eingaben& in, double n, double p, double t) {
  const KlassenWerte& x = in.x;
  const double N = in.stat.summe;
  // b(v) for v = 0..x[0]-1 by the binomial recurrence; b(-1) = 0 for data starting at 0.
  double b = 0;
  Summe S = 0;
  for (std::uint32_t v = 0; v < x[0]; ++v) {
    const double dv = static_cast<double>(v);
    b = (v == 0) ? std::exp(n * binomial::LogGegenP(n, p)) : b * (n - dv + 1) * p / ((1 - p) * dv);
    S += b;
  }
  const auto schritt = binomial::WerteSchritt(x, n, p);
  if (x[0] > 0 && (S > 0.5 || !(std::exp(n * binomial::LogGegenP(n, p)) >= kKleinsteNormale))) {
    Stabil(NP, in, n, p, schritt);
    return;
  }
  const double np0 =
      N * b * (n - t + 1) * p / ((1 - std::fabs(p)) * t) / (1 - static_cast<double>(S));
  RekursionMitRest(NP, in.stat.n, N, np0, schritt);
}

}  // namespace vk::members::linksgestutztebinomial
