// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>

namespace vk::bench {

// The process's CPU time, so that a table measured on a shared machine counts only its own work.
inline double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace vk::bench
