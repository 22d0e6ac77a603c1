// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "distributions/Member.h"

namespace vk {

// Every member of the library, in ascending order of number, as Mitgliederliste.inc lists them.
// The catalog-wide tests iterate this one table; the engine and the catalog check reach a member
// through the dispatch's handle, which MitgliedSuchen resolves from it by number.
std::span<const Member* const> Mitglieder();

// The member with this number, or nullptr when the library has none.
const Member* MitgliedSuchen(std::uint32_t nummer);

// How often MitgliedSuchen has been asked since the program started, from any thread. The engine
// resolves its member once per fit; the tests hold it to that with this count.
std::uint64_t Nachschlagungen();

}  // namespace vk
