// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Python.h>

#include <atomic>
#include <chrono>

namespace vk::py {

// The engine's abort poll for a fit that runs with the interpreter's lock released. The poll
// comes once per simplex step (and inside long evaluations), far too often to take the lock
// each time: only every kAbstand it takes the lock and lets the interpreter run its signal
// handlers, so that Ctrl-C, which Python only notices on its main thread, ends the fit within
// a fraction of a second. A shared flag (set by a batch whose consumer was interrupted) stops
// it too. On a worker thread, where no signal handler can run, it reads the flag alone
// (`signale` false) and never takes the lock: the thread that consumes the results holds it.
class Unterbrechbar {
 public:
  static constexpr std::chrono::milliseconds kAbstand{20};
  // The clock is read every kTakt-th poll only: a short fit polls a few hundred times, and the
  // clock would cost it more than its bookkeeping.
  static constexpr unsigned kTakt = 16;

  explicit Unterbrechbar(const std::atomic<bool>* geteilt = nullptr, bool signale = true)
      : geteilt_(geteilt), signale_(signale) {}
  Unterbrechbar(const Unterbrechbar&) = delete;
  Unterbrechbar& operator=(const Unterbrechbar&) = delete;
  ~Unterbrechbar();

  // The poll, called without the lock.
  bool operator()();
  // With the lock held again, after the fit: raises the exception a signal handler raised
  // (KeyboardInterrupt) as a pybind11 error, if one did.
  void Weiterwerfen();
  // Whether the poll has said stop (a signal handler raised, or the shared flag was set).
  bool Unterbrochen() const {
    return unterbrochen_ || (geteilt_ != nullptr && geteilt_->load(std::memory_order_relaxed));
  }

 private:
  const std::atomic<bool>* geteilt_;
  bool signale_;
  std::chrono::steady_clock::time_point naechste_ = std::chrono::steady_clock::now() + kAbstand;
  unsigned takt_ = 0;
  bool unterbrochen_ = false;
  PyObject* typ_ = nullptr;
  PyObject* wert_ = nullptr;
  PyObject* spur_ = nullptr;
};

}  // namespace vk::py
