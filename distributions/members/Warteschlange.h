// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The queue family (members 56, 57, 69): terms of a birth-death chain, r[0] = 1 and r[i] =
// r[i-1] times an arrival-over-service ratio, normalised over the classes. With a heavy load the
// terms climb far past the double range on their way to the last class; since every term is the
// previous one times a ratio, the stored terms and their sum can all be scaled down by the same
// power of two whenever one grows large, and the normalised classes come out unchanged.
#include <cstdint>

#include "distributions/Helpers.h"

namespace vk::members::warteschlange {

inline constexpr double kGross = 0x1p900;
inline constexpr double kVerkleinern = 0x1p-900;

// The terms r[0..bis] by r[i] = schritt(i, r[i-1]); r[i] stored in NP[i] for i < gespeichert;
// returns the sum of all of them and leaves the last term in `letzter`, both on the scale of the
// stored ones.
template <typename Schritt>
Summe SkalierteTerme(Erwartungswerte& NP, std::uint32_t bis, std::uint32_t gespeichert,
                     Schritt schritt, double& letzter) {
  double r = 1;
  Summe S = r;
  if (gespeichert > 0) NP[0] = r;
  for (std::uint32_t i = 1; i <= bis; ++i) {
    r = schritt(i, r);
    if (r > kGross) {
      r *= kVerkleinern;
      S *= kVerkleinern;
      for (std::uint32_t j = 0; j < i && j < gespeichert; ++j) NP[j] *= kVerkleinern;
    }
    S += r;
    if (i < gespeichert) NP[i] = r;
  }
  letzter = r;
  return S;
}

// All classes 0..L normalised over 0..L, none of them a remainder.
template <typename Schritt>
void NormierteKlassen(Erwartungswerte& NP, std::uint32_t L, double N, Schritt schritt) {
  double letzter = 0;
  const Summe S = SkalierteTerme(NP, L, L + 1, schritt, letzter);
  TermeNormieren(NP, L, N, S, Restregel::kKeine);
}

// The regression of the queue members over the ranges of their ratio: sum u f[i] f[i+1] over
// sum u^2 f[i]^2 for the classes i in [von, bis), with u = gewicht(i).
template <typename Klassen, typename Gewicht>
void RegressionSummen(const Klassen& f, std::uint32_t von, std::uint32_t bis, Gewicht gewicht,
                      Summe& z, Summe& q) {
  for (std::uint32_t i = von; i < bis; ++i) {
    const double u = gewicht(i);
    z += u * f[i] * f[i + 1];
    q += u * u * f[i] * f[i];
  }
}

}  // namespace vk::members::warteschlange
