// SPDX-License-Identifier: GPL-3.0-or-later
// The ordered workers that the command line's batch and the Python package's batch share must
// hand results on in order whatever the timing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "fitting/GeordneteArbeit.h"

namespace vk {
namespace {

// Jobs that finish out of order (later ones faster) are still handed on in order, with at most
// the window's count running ahead, and a source that runs dry ends every worker.
TEST(GeordneteArbeit, HandsResultsOnInOrderWhateverTheTiming) {
  struct Fall {
    unsigned jobs;
    std::size_t fenster, anzahl;
  };
  for (const Fall f : {Fall{1, 1, 5}, Fall{2, 1, 7}, Fall{4, 3, 40}, Fall{3, 64, 10}}) {
    std::size_t naechste = 0, laufend = 0, hoechstens = 0;
    std::vector<std::size_t> reihe;
    struct Zaehler {};
    const std::size_t n = GeordnetAbarbeiten<std::size_t, std::size_t, Zaehler>(
        f.jobs, f.fenster,
        [&]() -> std::optional<std::size_t> {
          if (naechste == f.anzahl) return std::nullopt;
          hoechstens = std::max(hoechstens, ++laufend);
          return naechste++;
        },
        [] { return std::make_unique<Zaehler>(); },
        [&](Zaehler&, std::size_t& i) {
          std::this_thread::sleep_for(std::chrono::microseconds(200 * ((f.anzahl - i) % 5)));
          return i * i;
        },
        [&](std::size_t& e) {
          reihe.push_back(e);
          --laufend;
        });
    EXPECT_EQ(n, f.anzahl);
    ASSERT_EQ(reihe.size(), f.anzahl);
    for (std::size_t i = 0; i < f.anzahl; ++i) EXPECT_EQ(reihe[i], i * i);
    EXPECT_LE(hoechstens, f.fenster + f.jobs);
  }
}

}  // namespace
}  // namespace vk
