// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Sichtbar.h"

#include <cstdint>
#include <cstdio>

namespace vk {

namespace {

bool Unsichtbar(std::uint32_t c) {
  return (c >= 0x80 && c <= 0xA0) || c == 0xAD || c == 0x034F || c == 0x061C ||
         (c >= 0x115F && c <= 0x1160) || c == 0x180E || (c >= 0x2000 && c <= 0x200F) ||
         (c >= 0x2028 && c <= 0x202F) || (c >= 0x205F && c <= 0x206F) || c == 0x3000 ||
         c == 0x3164 || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF || c == 0xFFA0 ||
         (c >= 0xFFF0 && c <= 0xFFFB);
}

void Hex(std::string& out, const char* form, std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, form, v);
  out += text;
}

}  // namespace

std::string Sichtbar(std::string_view text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x20 || b == 0x7F) {
      Hex(out, "\\x%02x", b);
      ++i;
      continue;
    }
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    // One UTF-8 sequence: its length from the lead byte, then the continuation bytes.
    const std::size_t laenge = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
    std::uint32_t c = laenge == 4 ? (b & 0x07u) : laenge == 3 ? (b & 0x0Fu) : (b & 0x1Fu);
    bool gueltig = laenge != 0 && b < 0xF5 && i + laenge <= text.size();
    for (std::size_t k = 1; gueltig && k < laenge; ++k) {
      const auto f = static_cast<unsigned char>(text[i + k]);
      gueltig = (f & 0xC0) == 0x80;
      c = (c << 6) | (f & 0x3Fu);
    }
    // Overlong forms, surrogates and values beyond Unicode are no UTF-8 either.
    gueltig = gueltig && !(laenge == 3 && c < 0x800) && !(laenge == 4 && c < 0x10000) &&
              !(c >= 0xD800 && c <= 0xDFFF) && c <= 0x10FFFF;
    if (!gueltig) {
      Hex(out, "\\x%02x", b);
      ++i;
      continue;
    }
    if (Unsichtbar(c))
      Hex(out, "\\u%04x", c);
    else
      out.append(text.substr(i, laenge));
    i += laenge;
  }
  return out;
}

}  // namespace vk
