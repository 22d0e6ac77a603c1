// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/Datensatz.h"
#include "distributions/Member.h"

namespace vk {

// Whether data with the classes x[0..n] and frequencies f suit a member with this support rule.
bool TraegerPasst(Traeger traeger, const KlassenWerte& x, const KlassenHaeufigkeiten& f,
                  std::uint32_t n);

// Whether the data suit distribution `index`, by the support rule in its member's record: some
// distributions are defined only for data that start at 1, at 0, above 0 or above 1 (and one
// only for data with an inner gap).
bool TraegerPruefen(std::uint32_t index, const KlassenWerte& x, const KlassenHaeufigkeiten& f,
                    std::uint32_t n);

}  // namespace vk
