// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk::cli {

// The 64-bit FNV-1a hash of an id's bytes (offset basis 14695981039346656037, prime
// 1099511628211): the same on every machine, build and run, so that shards agree across
// processes.
std::uint64_t IdHash(std::string_view id);

// `--shard I/N`: the data sets whose id hash modulo N is I - 1 (I from 1 to N).
struct Shard {
  std::uint64_t i = 1;
  std::uint64_t n = 1;
  [[nodiscard]] bool Enthaelt(std::string_view id) const { return IdHash(id) % n == i - 1; }
};
// None for anything but two whole numbers 1 <= I <= N.
std::optional<Shard> ShardLesen(const std::string& text);

}  // namespace vk::cli
