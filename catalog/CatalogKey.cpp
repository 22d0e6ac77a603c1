// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/CatalogKey.h"

namespace vk {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ParseCatalogKey(std::string_view hex, CatalogKey& key) {
  if (hex.size() != 2 * key.size()) return false;
  CatalogKey parsed{};
  for (std::size_t i = 0; i < parsed.size(); ++i) {
    const int hi = HexDigit(hex[2 * i]);
    const int lo = HexDigit(hex[2 * i + 1]);
    if (hi < 0 || lo < 0) return false;
    parsed[i] = static_cast<std::uint8_t>(hi * 16 + lo);
  }
  key = parsed;
  return true;
}

CatalogKey DefaultCatalogKey() {
  CatalogKey key{};
  ParseCatalogKey(kCatalogKeyHex, key);
  return key;
}

}  // namespace vk
