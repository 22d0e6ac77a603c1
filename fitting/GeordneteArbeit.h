// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace vk {

// Runs jobs on `jobs` workers and hands their results on in the order the jobs were taken, each
// as soon as every one before it is done, so a list streams out while it is being computed.
//
// - `naechster` gives the next job, or none when there are no more or no more are wanted (Ctrl-C,
//   an output that cannot be written); it is called under the lock, so it may read a stream.
// - Each worker has a state of its own (`neu`, e.g. an engine), kept from job to job.
// - `arbeit` runs without the lock, on the worker's thread.
// - `ausgeben` is called under the lock, in job order.
// - Workers run at most `fenster` jobs ahead of the oldest result not yet handed on: memory stays
//   the same however many jobs pass.
// Returns the number of results handed on.
template <class Auftrag, class Ergebnis, class Zustand>
std::size_t GeordnetAbarbeiten(unsigned jobs, std::size_t fenster,
                               const std::function<std::optional<Auftrag>()>& naechster,
                               const std::function<std::unique_ptr<Zustand>()>& neu,
                               const std::function<Ergebnis(Zustand&, Auftrag&)>& arbeit,
                               const std::function<void(Ergebnis&)>& ausgeben) {
  std::vector<std::optional<Ergebnis>> ring(fenster);
  std::size_t genommen = 0;    // jobs taken so far
  std::size_t ausgegeben = 0;  // results handed on so far
  bool ende = false;
  std::mutex sperre;
  std::condition_variable platz;
  const auto weitergeben = [&] {
    while (ausgegeben < genommen && ring[ausgegeben % fenster]) {
      ausgeben(*ring[ausgegeben % fenster]);
      ring[ausgegeben % fenster].reset();
      ++ausgegeben;
    }
    platz.notify_all();
  };
  const auto arbeiter = [&] {
    std::unique_ptr<Zustand> zustand = neu();
    std::unique_lock<std::mutex> lock(sperre);
    while (!ende) {
      std::optional<Auftrag> auftrag = naechster();
      if (!auftrag) {
        ende = true;
        break;
      }
      const std::size_t i = genommen++;
      platz.wait(lock, [&] { return i < ausgegeben + fenster; });
      lock.unlock();
      Ergebnis e = arbeit(*zustand, *auftrag);
      lock.lock();
      ring[i % fenster] = std::move(e);
      weitergeben();
    }
  };
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < std::max(1u, jobs); ++t) threads.emplace_back(arbeiter);
  arbeiter();
  for (std::thread& t : threads) t.join();
  return ausgegeben;
}

}  // namespace vk
