// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vk {

// The compressed form: the uncompressed length as 4 bytes big-endian, then one zlib stream
// (RFC 1950) that must end exactly at the end of the input and inflate to exactly that length.
inline constexpr std::uint32_t kMaxUncompressed = 16u << 20;  // a catalog is a few kilobytes

bool Compress(std::span<const std::uint8_t> plain, std::vector<std::uint8_t>& out,
              std::string& error);

bool Decompress(std::span<const std::uint8_t> packed, std::vector<std::uint8_t>& out,
                std::string& error);

}  // namespace vk
