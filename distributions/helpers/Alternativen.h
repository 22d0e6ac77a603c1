// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "distributions/Member.h"

namespace vk {

// The start vector of alternative k (1-based) from a member's table of alternatives: each
// parameter the mean of its slots (its absolute value where the row says so). A table of one row
// serves every k. For a k outside the table only the parameters whose start is the same in every
// row are written, the rest of `p` is left as it was.
void TabellenAlternative(std::span<const Alternative> tabelle, std::uint32_t k,
                         const Schaetzwerttabelle& E, Parametervektor& p);

}  // namespace vk
