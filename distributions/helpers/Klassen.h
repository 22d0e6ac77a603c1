// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "distributions/Member.h"
#include "distributions/helpers/Haeufigkeiten.h"
#include "distributions/helpers/Numerik.h"
#include "distributions/helpers/Parameter.h"
#include "distributions/helpers/Schemata.h"

namespace vk {

// Small pieces that many members share besides the schemes of Schemata.h.

// f[i] of a class that exists, 0 for an index beyond the last class L: the first-ratio
// estimators read classes 0..3 whatever L is, and classes beyond L count as empty.
inline double KlasseOderNull(const KlassenHaeufigkeiten& f, std::uint32_t L, std::uint32_t i) {
  return i <= L ? f[i] : 0.0;
}

// The classes 0..3 after NullhaeufigkeitenErsetzen, on a copy of just these four: the replacement
// of a zero and the step of f[0] away from f[1] depend on nothing beyond them.
inline std::array<double, 4> ErsetzteAnfangsklassen(const KlassenHaeufigkeiten& f,
                                                    std::uint32_t L) {
  std::array<double, 4> g{};
  for (std::uint32_t i = 0; i < 4; ++i) g[i] = KlasseOderNull(f, L, i);
  NullhaeufigkeitenErsetzen(g);
  return g;
}

// A number of factors Int(x) taken from a parameter: products over j < Int(x) are empty for
// x < 1. Beyond kGrenzeFaktoren the value raises the invalid fault (a failed evaluation): a
// product of ten million factors per evaluation is far outside any data set's range and would
// only stall the fit.
inline constexpr std::uint32_t kGrenzeFaktoren = 10'000'000;
inline std::uint32_t FaktorAnzahl(double x) {
  if (x < 1) return 0;
  return BegrenzteAnzahl(x, kGrenzeFaktoren);
}

}  // namespace vk
