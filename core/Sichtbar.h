// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace vk {

// `text` as a message can show it: control bytes and bytes that are no UTF-8 as \xNN, and
// characters that print as nothing or as a blank (a no-break space, a byte order mark, a
// zero-width or directional mark) as \uNNNN, so that the user sees why "109" was no number.
std::string Sichtbar(std::string_view text);

}  // namespace vk
