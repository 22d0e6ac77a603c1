// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"

// What the zeta (86) and Zipf (87) members share: P(v) proportional to v^-a on the values
// 1, 2, ..., and the start of a from the first two classes, f~[0]/f~[1] = 2^a.
namespace vk::members::zetazipf {

inline double AusErstenKlassen(const Eingaben& in) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  return std::log(g[0] / g[1]) / std::log(2.0);
}

}  // namespace vk::members::zetazipf
