// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Format.h"

#include <array>
#include <charconv>

namespace vk {

std::string FormatFixed(double value, int decimals) {
  std::array<char, 400> buf{};
  const auto r =
      std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, decimals);
  return std::string(buf.data(), r.ptr);
}

std::string FormatExact(double value) {
  std::array<char, 64> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value);
  return std::string(buf.data(), r.ptr);
}

}  // namespace vk
