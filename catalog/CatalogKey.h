// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vk {

using CatalogKey = std::array<std::uint8_t, 16>;  // AES-128

// The key every shipped catalog file is enciphered under.
inline constexpr std::string_view kCatalogKeyHex = "0f1e2d3c4b5a69788796a5b4c3d2e1f0";

// Exactly 32 hexadecimal digits (either case); false for anything else.
bool ParseCatalogKey(std::string_view hex, CatalogKey& key);

// The shipped key, parsed.
CatalogKey DefaultCatalogKey();

}  // namespace vk
