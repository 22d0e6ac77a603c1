// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "core/FpFault.h"
#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"

// The law of a sum of m positive summands on its first L values m, m + 1, ..., m + L - 1, for
// the Stirling members (163: zero-truncated Poisson summands, 193: logarithmic ones). With G_k[d]
// the probability that k summands add up to k + d, the triangle recurrences of the Stirling
// numbers become
//   G_k[d] = ((r k + s (d - 1)) G_k[d - 1] + k u G_{k-1}[d]) / (k + d),  G_0[d] = [d = 0],
// with u = P(summand = 1) and (r, s) = (a, 0) for S2 (u = a/(e^a - 1)), (theta, theta) for |s|
// (u = theta/(-ln(1 - theta))). Every term is positive, so the column m has the numbers of the
// ratio recurrence P(x + 1)/P(x) to rounding, but neither the Stirling numbers nor the powers of
// u leave the range: each column carries a power of two of its own, changed exactly (by ldexp)
// after each column to bring its largest number to 1, and within a column should its numbers
// climb past 2^16000. The numbers are long doubles: a class of the last column at 1e-300 of its
// largest may descend from numbers that lay far lower beside the largest of an earlier column
// (the mass moves through the window as k grows), and in double these were subnormal or lost;
// in extended range only what lies 2^-16000 below a column's largest is lost.
namespace vk::members::stirlingspalte {

inline constexpr int kGrossExponent = 16000;
inline const Summe kGross = std::ldexp(Summe{1}, kGrossExponent);

// Writes g[0..L-1] (for the column m) and returns E such that G_m[d] = g[d] 2^E; `logU` is
// ln u, so that u may lie below the range. After a cancel the numbers are meaningless (the
// invalid flag is raised by the counter).
template <typename Feld>
int Spalte(Feld& g, std::uint32_t L, std::uint32_t m, Summe r, Summe s, Summe logU,
           Unterbrechungszaehler& stopp) {
  if (L == 0) return 0;
  // u = uM 2^eu, uM in [1, 2). A u without a value or beyond every exponent (a parameter at the
  // edge of its domain) has no column: the evaluation fails as the invalid operation it is,
  // instead of converting an exponent no int can hold.
  const Summe exponent = std::floor(logU / std::log(Summe{2}));
  if (!(exponent > -kGrossExponent * Summe{1000} && exponent < kGrossExponent * Summe{1000})) {
    RaiseInvalid();
    return 0;
  }
  const int eu = static_cast<int>(exponent);
  const Summe uM = std::exp(logU - eu * std::log(Summe{2}));
  for (std::uint32_t d = 0; d < L; ++d) g[d] = 0;
  g[0] = 1;
  int E = 0;
  for (std::uint32_t k = 1; k <= m; ++k) {
    if (stopp.Zaehlen(L)) return E;
    // Column k overwrites column k - 1 in place: g[d] is still G_{k-1}[d] (to 2^Evor) when
    // G_k[d] (to 2^E) is formed from it and from the new g[d - 1].
    const int Evor = E;
    E = Evor + eu;
    const Summe kd = k;
    Summe zufluss = kd * uM;
    Summe vorher = 0;
    Summe groesster = 0;
    for (std::uint32_t d = 0; d < L; ++d) {
      const Summe dd = d;
      Summe neu = ((r * kd + s * (dd - 1)) * vorher + zufluss * g[d]) / (kd + dd);
      if (neu > kGross) {
        for (std::uint32_t j = 0; j < d; ++j) g[j] = std::ldexp(g[j], -kGrossExponent);
        neu = std::ldexp(neu, -kGrossExponent);
        groesster = std::ldexp(groesster, -kGrossExponent);
        E += kGrossExponent;
        zufluss = std::ldexp(kd * uM, Evor + eu - E);
      }
      g[d] = neu;
      vorher = neu;
      if (neu > groesster) groesster = neu;
    }
    if (groesster > 0) {
      const int hoch = -std::ilogb(groesster);
      for (std::uint32_t d = 0; d < L; ++d) g[d] = std::ldexp(g[d], hoch);
      E -= hoch;
    }
  }
  return E;
}

}  // namespace vk::members::stirlingspalte
