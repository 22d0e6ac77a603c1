// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace vk {

// How the 95 % interval is read from the refitted values θ* around the estimate θ̂:
// - percentile: the 2.5 % and 97.5 % quantiles of θ*;
// - basic: the percentile interval reflected about θ̂, [2θ̂ - q(0.975), 2θ̂ - q(0.025)];
// - bias-corrected: the quantiles at Φ(2z₀ ∓ 1.96), z₀ = Φ⁻¹(share of θ* below θ̂, ties counted
//   half), which moves the interval against an estimator's median bias.
enum class Intervallart : std::uint8_t { kPerzentil, kBasis, kBiaskorrigiert };

// "percentile", "basic", "bc": the names the command line, the settings and the reports use.
inline const char* IntervallartName(Intervallart art) {
  switch (art) {
    case Intervallart::kBasis:
      return "basic";
    case Intervallart::kBiaskorrigiert:
      return "bc";
    case Intervallart::kPerzentil:
      break;
  }
  return "percentile";
}

// False, leaving `art` as it is, for any other text.
inline bool IntervallartLesen(std::string_view text, Intervallart& art) {
  for (const Intervallart a :
       {Intervallart::kPerzentil, Intervallart::kBasis, Intervallart::kBiaskorrigiert}) {
    if (text == IntervallartName(a)) {
      art = a;
      return true;
    }
  }
  return false;
}

}  // namespace vk
