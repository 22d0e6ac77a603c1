// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/XmlTree.h"

#include <cstdint>

namespace vk {

namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the UTF-8 sequence starting at `s[i]` and its code point, or 0 when malformed
// (overlong forms, surrogates and values above U+10FFFF included).
std::size_t Utf8Sequence(const std::string& s, std::size_t i, std::uint32_t& cp) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
  const std::uint8_t b0 = byte(i);
  std::size_t len = 0;
  std::uint32_t min = 0;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

bool IsSupportedName(const std::string& name) {
  if (name.empty() || !(IsAsciiLetter(name[0]) || name[0] == '_')) return false;
  for (char c : name)
    if (!(IsAsciiLetter(c) || IsDigit(c) || c == '_' || c == '-' || c == '.')) return false;
  return true;
}

bool IsSupportedText(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    std::uint32_t cp = 0;
    const std::size_t len = Utf8Sequence(text, i, cp);
    if (len == 0) return false;
    if (cp < 0x20 && cp != '\t' && cp != '\n' && cp != '\r') return false;
    if (cp == 0xFFFE || cp == 0xFFFF) return false;  // not characters in XML
    i += len;
  }
  return true;
}

}  // namespace vk
