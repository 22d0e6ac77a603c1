// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "catalog/CatalogKey.h"

namespace vk {

// The outer frame of a catalog file (docs/catalog-format.md): magic, version, IV, the payload
// enciphered with AES-128-CBC and PKCS#7 padding, and an HMAC-SHA-256 over all of it, so that a
// wrong key or a damaged byte is reported as such before anything is deciphered.
inline constexpr std::uint8_t kContainerMagic[4] = {'V', 'K', 'C', 'F'};
inline constexpr std::uint8_t kContainerVersion = 1;
inline constexpr std::size_t kContainerHeader = 28;  // magic, version, reserved, IV, length
inline constexpr std::size_t kContainerMac = 32;

// Enciphers `payload` under `key` with a fresh random IV.
bool SealContainer(std::span<const std::uint8_t> payload, const CatalogKey& key,
                   std::vector<std::uint8_t>& out, std::string& error);

// Checks the frame and the MAC, then deciphers. `error` says what is wrong otherwise.
bool OpenContainer(std::span<const std::uint8_t> file, const CatalogKey& key,
                   std::vector<std::uint8_t>& payload, std::string& error);

}  // namespace vk
