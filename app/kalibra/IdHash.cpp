// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/IdHash.h"

#include <charconv>

namespace vk::cli {

std::uint64_t IdHash(std::string_view id) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : id) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

std::optional<Shard> ShardLesen(const std::string& text) {
  const std::size_t strich = text.find('/');
  if (strich == std::string::npos) return std::nullopt;
  Shard s;
  const auto zahl = [](const char* a, const char* b, std::uint64_t& v) {
    const auto [p, ec] = std::from_chars(a, b, v);
    return ec == std::errc() && p == b && a != b;
  };
  if (!zahl(text.data(), text.data() + strich, s.i) ||
      !zahl(text.data() + strich + 1, text.data() + text.size(), s.n) || s.i < 1 || s.i > s.n)
    return std::nullopt;
  return s;
}

}  // namespace vk::cli
