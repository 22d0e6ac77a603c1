// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Unterbrechbar.h"

#include <pybind11/pybind11.h>

namespace vk::py {

Unterbrechbar::~Unterbrechbar() {
  // Only reached with an exception still held when the fit itself threw; the lock is held
  // again by then (the release scope ended first).
  Py_XDECREF(typ_);
  Py_XDECREF(wert_);
  Py_XDECREF(spur_);
}

bool Unterbrechbar::operator()() {
  if (unterbrochen_) return true;
  if (geteilt_ != nullptr && geteilt_->load(std::memory_order_relaxed)) return true;
  if (!signale_ || ++takt_ % kTakt != 0) return false;
  const auto jetzt = std::chrono::steady_clock::now();
  if (jetzt < naechste_) return false;
  naechste_ = jetzt + kAbstand;
  pybind11::gil_scoped_acquire lock;
  // Off the main thread this answers 0 at once: only the main thread runs signal handlers.
  if (PyErr_CheckSignals() != 0) {
    PyErr_Fetch(&typ_, &wert_, &spur_);
    unterbrochen_ = true;
  }
  return unterbrochen_;
}

void Unterbrechbar::Weiterwerfen() {
  if (typ_ == nullptr) return;
  PyErr_Restore(typ_, wert_, spur_);
  typ_ = wert_ = spur_ = nullptr;
  throw pybind11::error_already_set();
}

}  // namespace vk::py
