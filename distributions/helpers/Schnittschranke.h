// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// What the cuts at 1e-300 N share. A member whose classes sum over all classes below them may
// leave out the classes it proves below 1e-300 N: for every s > 1 where its generating function
// G is finite, P(X >= x) <= G(s) s^-x, so every class from x > (ln G(s) - ln 1e-300) / ln s on
// is below 1e-300 N. The member tries a few s of its own and keeps the least such x.
namespace vk::schnittschranke {

inline constexpr std::uint32_t kKeiner = std::numeric_limits<std::uint32_t>::max();
inline constexpr double kMinusLog1em300 = 690.77552789821368;  // -ln 1e-300

// G(s) >= 1 for s > 1, so every trial's x is at least 690.78 / ln(1 + t) with t = s - 1: with
// every t at most tMax, no cut can fall below L while L ln(1 + tMax) is at most 690 (the margin
// takes the rounding of a ln G(s) near 0). Then the trials are not worth their logarithms: on
// the few classes of most data sets that is every evaluation.
inline bool Moeglich(double tMax, std::uint32_t L) {
  return std::log1p(tMax) * L > 690;
}

// The least x over the trials, as the class to cut from.
class Kleinste {
 public:
  // One trial: ln G(1 + t) and t.
  void Versuchen(double logG, double t) {
    const double x = (logG + kMinusLog1em300) / std::log1p(t);
    if (x < bestes_) bestes_ = x;
  }
  // One class beyond the bound's own: its rounding is far below one class. kKeiner where no
  // trial bounds below 2^32.
  [[nodiscard]] std::uint32_t Klasse() const {
    return bestes_ < 4e9 ? static_cast<std::uint32_t>(std::ceil(bestes_)) + 1 : kKeiner;
  }

 private:
  double bestes_ = 4e9;
};

}  // namespace vk::schnittschranke
