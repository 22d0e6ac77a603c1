// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The infinite sums that normalise members 202 and 203, whose terms fall only like a power of
// the index: 100 terms beyond the last class leave a remainder of the order of 1/(L + 100) of
// the sum, far above any rounding. The sums are taken whole instead: the first terms directly,
// the rest by the asymptotic series of the polygamma functions.
#include <cmath>
#include <cstdint>

#include "distributions/helpers/Numerik.h"

namespace vk::members::polygamma {

// sum_{i >= 0} 1/(z + i)^2 for z >= 100 (Euler-Maclaurin: 1/z + 1/(2z^2) + B_2/z^3 - ...; the
// next term, 1/(30 z^9), is below the long double's resolution of the sum there).
inline Summe TrigammaAsymptotisch(Summe z) {
  const Summe u = 1 / z;
  const Summe u2 = u * u;
  return u + u2 / 2 + u * u2 * (1.0L / 6 - u2 * (1.0L / 30 - u2 / 42));
}

// psi'(a) = sum_{i >= 0} 1/(i + a)^2, a > 0: the terms i = 0..K directly, in the order the
// written sum takes them, then the remainder from K + 1 + a on. With K = L + 100 the first part
// is exactly the written sum.
inline Summe Trigamma(Summe a, std::uint32_t K) {
  Summe s = 0;
  for (std::uint32_t i = 0; i <= K; ++i) s += 1 / ((i + a) * (i + a));
  Summe z = K + 1 + a;
  // Below 100 the remainder's series is not yet accurate: a few more terms directly (at most
  // 100: an a outside the domain must not keep the loop going).
  for (int k = 0; k < 100 && z < 100; ++k, z += 1) s += 1 / (z * z);
  return s + TrigammaAsymptotisch(z);
}

// psi(beta + alpha) - psi(beta) = sum_{k >= 0} alpha/((beta + k)(beta + alpha + k)) for
// alpha, beta > 0, without the difference of two nearly equal digammas: the first terms
// directly until beta + k >= 20, then the difference of the asymptotic series
// ln z - 1/(2z) - 1/(12 z^2) + 1/(120 z^4) - 1/(252 z^6) + 1/(240 z^8), whose leading parts are
// formed as differences in closed form (log1p, alpha/(2 z1 z2)).
inline Summe DigammaDifferenz(Summe beta, Summe alpha) {
  Summe s = 0;
  Summe z1 = beta;
  for (int k = 0; k < 20 && z1 < 20; ++k, z1 += 1) s += alpha / (z1 * (z1 + alpha));
  const Summe z2 = z1 + alpha;
  const auto rest = [](Summe z) {
    const Summe u2 = 1 / (z * z);
    return u2 * u2 * (1.0L / 120 - u2 * (1.0L / 252 - u2 / 240));
  };
  s += std::log1p(alpha / z1) + alpha / (2 * z1 * z2) +
       alpha * (z1 + z2) / (12 * z1 * z1 * z2 * z2) + rest(z2) - rest(z1);
  return s;
}

}  // namespace vk::members::polygamma
