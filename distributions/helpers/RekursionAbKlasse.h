// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Member.h"
#include "distributions/helpers/Numerik.h"
#include "distributions/helpers/Schemata.h"

namespace vk {

// Classes ab..L-1 of a ratio recurrence whose classes below `ab` the caller writes by closed
// forms (an inflated or modified class 0): NP[ab] = np, the caller's N P(ab), and NP[i] =
// schritt(i, NP[i-1]) above, while P(ab) = p is a normal double. Below that (a mode far from
// class ab) the classes start from the largest one, N e^(its logarithm), found from logP() = ln
// P(ab) through the ratios as GroessterTerm does, and go up by the step and down by its inverse.
// Returns davor, the caller's sum of the classes below ab, plus NP[ab] + ... + NP[L-1], added in
// that order.
template <typename LogP, typename Schritt>
Summe RekursionAbKlasseGeschuetzt(Erwartungswerte& NP, std::uint32_t L, double N, std::uint32_t ab,
                                  Summe davor, double p, double np, LogP logP, Schritt schritt) {
  if (ab >= L) return davor;
  std::uint32_t j = ab;
  if (p >= kKleinsteNormale) {
    NP[ab] = np;
  } else {
    Summe logT = logP();
    Summe logGroesster = logT;
    for (std::uint32_t i = ab + 1; i < L; ++i) {
      const double g = schritt(i, 1.0);
      if (!(g > 0)) break;
      logT += std::log(static_cast<Summe>(g));
      if (logT > logGroesster) {
        logGroesster = logT;
        j = i;
      }
    }
    NP[j] = N * static_cast<double>(std::exp(logGroesster));
    for (std::uint32_t i = j; i > ab; --i) NP[i - 1] = NP[i] / schritt(i, 1.0);
  }
  for (std::uint32_t i = j + 1; i < L; ++i) NP[i] = schritt(i, NP[i - 1]);
  Summe summe = davor;
  for (std::uint32_t i = ab; i < L; ++i) summe += NP[i];
  return summe;
}

}  // namespace vk
