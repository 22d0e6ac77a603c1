// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/Datensatz.h"

namespace vk {

// Whether the data suit distribution `index`: some distributions are defined only for data that
// start at 1, at 0, above 0 or above 1 (and one only for data with an inner gap).
bool TraegerPruefen(std::uint32_t index, const KlassenWerte& x, const KlassenHaeufigkeiten& f,
                    std::uint32_t n);

}  // namespace vk
