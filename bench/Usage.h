// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>

namespace vk::bench {

// Whether the command line names its first argument; without it, the usage line on stderr.
inline bool HasFirstArgument(int argc, const char* usage) {
  if (argc >= 2) return true;
  std::fprintf(stderr, "usage: %s\n", usage);
  return false;
}

}  // namespace vk::bench
