// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "distributions/Member.h"

namespace vk {

// Every member of the library, in ascending order of number. The dispatch, the catalog check,
// the command-line listing and the catalog-wide tests all iterate this one table.
std::span<const Member* const> Mitglieder();

// The member with this number, or nullptr when the library has none.
const Member* MitgliedSuchen(std::uint32_t nummer);

}  // namespace vk
