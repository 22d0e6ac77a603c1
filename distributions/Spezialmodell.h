// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace vk {

// The special model (catalog index 205) takes b1 and b2 from the estimate table: the special
// fitting writes the grid point it tries into these slots before it runs the estimates, which
// solve for a0, a1 and a2 at that point.
inline constexpr std::size_t kSpezialSlotB1 = 150;
inline constexpr std::size_t kSpezialSlotB2 = 200;

}  // namespace vk
