// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The queue family (members 56, 57, 69): terms of a birth-death chain, r[0] = 1 and r[i] =
// r[i-1] times an arrival-over-service ratio, normalised over the classes. With a heavy load the
// terms climb far past the double range on their way to the last class: they are formed by
// SkalierteTerme (Schemata.h), on one power-of-two scale, and the normalised classes come out
// unchanged.
#include <cstdint>

#include "distributions/Helpers.h"

namespace vk::members::warteschlange {

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
