// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/FpFault.h"
#include "distributions/Member.h"

namespace vk {

// Counts the class operations of a long evaluation and asks the engine's abort poll every
// kUnterbrechungsTakt of them. Once the answer is yes it raises the invalid flag, so that the
// evaluation counts as failed, and keeps answering yes: the member skips the rest of its work.
// Without a poll (outside a fit) it never stops anything.
class Unterbrechungszaehler {
 public:
  explicit Unterbrechungszaehler(const Eingaben& in) : u_(in.unterbrechung) {}

  // Adds `n` operations; true once the fit is to stop.
  bool Zaehlen(std::uint32_t n) {
    if (gestoppt_ || u_ == nullptr || u_->abfragen == nullptr) return gestoppt_;
    offen_ += n;
    if (offen_ < kUnterbrechungsTakt) return false;
    offen_ = 0;
    if (u_->abfragen(u_->daten)) {
      gestoppt_ = true;
      RaiseInvalid();
    }
    return gestoppt_;
  }

 private:
  const Unterbrechung* u_;
  std::uint64_t offen_ = 0;
  bool gestoppt_ = false;
};

}  // namespace vk
