// SPDX-License-Identifier: GPL-3.0-or-later
// Helper threads of a run that the calling thread alone reports: the grid search, the automatic
// fitting and the bootstrap share how their helpers start, fail and stop.
#pragma once

#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace vk {

// `Lauf` carries `sperre` (a mutex), `fehler` (an exception_ptr) and `stopp` (an atomic bool)
// that every helper polls.
template <class Lauf>
struct HelferAnhalten {
  Lauf& lauf;
  // Declared after the threads, this runs first whatever way the caller leaves, so the helpers
  // stop at their next poll before they are joined.
  ~HelferAnhalten() { lauf.stopp.store(true, std::memory_order_relaxed); }
};

// Starts up to `anzahl` threads running `arbeit()`. The first exception a helper meets is kept
// for the calling thread to rethrow, the others stop, and `wecken()` tells the caller, which may
// be waiting. A thread the system cannot give leaves its share to the threads there are.
template <class Lauf, class Arbeit, class Wecken>
void HelferStarten(std::vector<std::jthread>& arbeiter, Lauf& lauf, unsigned anzahl,
                   const Arbeit& arbeit, const Wecken& wecken) {
  for (unsigned t = 0; t < anzahl; ++t) {
    try {
      arbeiter.emplace_back([&lauf, arbeit, wecken] {
        try {
          arbeit();
        } catch (...) {
          {
            const std::lock_guard<std::mutex> halten(lauf.sperre);
            if (!lauf.fehler) lauf.fehler = std::current_exception();
          }
          lauf.stopp.store(true);
          wecken();
        }
      });
    } catch (const std::system_error&) {
      break;
    }
  }
}

}  // namespace vk
