// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"

// What members 214, 217, 220 and 221 share: the number of failures before the first success when
// drawing without replacement from an urn of A failures and B successes, P(0) = B/(A + B),
// P(x)/P(x-1) = (A - x + 1)/(A + B - x), in four parametrisations. The support ends at x = A:
// the ratio's numerator is 0 there, and every class after it is 0. The written ratio would go on
// multiplying that 0 by factors whose denominator may itself reach 0 further up (an integer
// A + B), a division by zero in a class that is 0 anyway; so a class after a 0, or one whose
// denominator is 0, is 0 (member 221 states the second rule itself). The members write their
// sums with the whole numbers first, (a - x) + b rather than a + b - x: a share b far below the
// count would otherwise lose its digits in the rounding of a + b (a + b - 1 is 0 for a = 1 and
// b below 1e-16, and P(0) a division by zero).
namespace vk::members::erstertreffer {

// The classes below L from P(0) = p0 (log P(0) = logP0() where p0 underflows) and the ratio
// zaehler(x)/nenner(x), then the tail rule.
template <typename LogP0, typename Zaehler, typename Nenner>
void Klassen(const Eingaben& in, Erwartungswerte& NP, double p0, LogP0 logP0, Zaehler zaehler,
             Nenner nenner) {
  const auto schritt = [&](std::uint32_t x, double vorher) {
    const double z = zaehler(static_cast<double>(x));
    const double n = nenner(static_cast<double>(x));
    if (vorher == 0 || z == 0 || n == 0) return 0.0;
    return vorher * z / n;
  };
  RekursionMitRestGeschuetzt(NP, in.stat.n, in.stat.summe, p0, logP0, schritt);
}

// c = f[0]/N and the start of the share parameter from P(0) = c: B = A c/(1 - c) for a given A;
// 0 when no class but the first holds data (c = 1), where the share has no finite start.
inline double AnteilAusNullklasse(double A, double c) {
  return c < 1 ? A * c / (1 - c) : 0.0;
}

}  // namespace vk::members::erstertreffer
