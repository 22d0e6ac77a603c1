// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <math.h>
#include <cmath>
#include <cstdint>
#include <limits>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"

// Terms whose first one lies below the double range (e^-a for a Poisson mean beyond about 708,
// p^k for a negative binomial with a large k) although the classes near the mode are ordinary
// numbers. A recurrence from class 0 would give 0 everywhere (or a subnormal start with a few
// digits left); these start at an inner class j, from its logarithm, and walk up and down by the
// ratio with a running value, adding into NP so that mixtures can add their components.
namespace vk::members::voninnen {

// The smallest first term the ordinary recurrence may start from: below it the start is
// subnormal or 0.
inline constexpr double kKleinsterStart = std::numeric_limits<double>::min();

// NP[i] += t(i) for i = 0..L-1, with t(j) = tj and t(i)/t(i-1) = verhaeltnis(i) > 0.
template <typename Verhaeltnis>
void Addieren(Erwartungswerte& NP, std::uint32_t L, std::uint32_t j, double tj,
              Verhaeltnis verhaeltnis) {
  double t = tj;
  for (std::uint32_t i = j; i < L; ++i) {
    if (i > j) t *= verhaeltnis(i);
    NP[i] += t;
  }
  t = tj;
  for (std::uint32_t i = j; i > 0 && i <= L; --i) {
    t /= verhaeltnis(i);
    if (i - 1 < L) NP[i - 1] += t;
  }
}

// NP[i] += skala t(i) for i = 0..L-1, with t(0) = e^logT0 and t(i)/t(i-1) = verhaeltnis(i) > 0,
// for a first term known only by its logarithm: the logarithms summed along the classes find the
// largest term below L, which starts the walk.
template <typename Verhaeltnis>
void AusLogarithmen(Erwartungswerte& NP, std::uint32_t L, double logT0, double skala,
                    Verhaeltnis verhaeltnis) {
  if (L == 0) return;
  Summe logT = logT0;
  Summe groesster = logT;
  std::uint32_t j = 0;
  for (std::uint32_t i = 1; i < L; ++i) {
    logT += std::log(verhaeltnis(i));
    if (logT > groesster) {
      groesster = logT;
      j = i;
    }
  }
  Addieren(NP, L, j, skala * std::exp(static_cast<double>(groesster)), verhaeltnis);
}

// The class nearest the mode among 0..L-1, for a mode at value `gipfel` and classes holding the
// values v0, v0 + 1, ...
inline std::uint32_t Startklasse(double gipfel, double v0, std::uint32_t L) {
  const double j = std::floor(gipfel - v0);
  if (!(j > 0) || L == 0) return 0;
  return BegrenzteAnzahl(std::fmin(j, L - 1.0), L - 1);
}

// ln(v!) for an integer value v, summed (lgamma keeps a global sign and is not safe across
// threads); v passes BegrenzteAnzahl through FaktorAnzahl.
inline double LogFakultaet(double v) {
  Summe s = 0;
  const std::uint32_t n = FaktorAnzahl(v);
  for (std::uint32_t k = 2; k <= n; ++k) s += std::log(static_cast<double>(k));
  return static_cast<double>(s);
}

// NP[i] += skala e^-a a^v / v! for the values v = v0 + i of the classes i = 0..L-1.
inline void PoissonAddieren(Erwartungswerte& NP, std::uint32_t L, double a, double v0,
                            double skala) {
  if (L == 0) return;
  const std::uint32_t j = Startklasse(a, v0, L);
  const double vj = v0 + j;
  const double tj = skala * std::exp(vj * std::log(a) - a - LogFakultaet(vj));
  Addieren(NP, L, j, tj, [&](std::uint32_t i) { return a / (v0 + i); });
}

// NP[i] += skala C(k + v - 1, v) p^k (1 - p)^v for the values v = v0 + i of the classes
// i = 0..L-1. The logarithm of the start in long double: its parts reach k ln p, thousands for a k
// of hundreds, and their rounding in double would shift every class by 1e-12. (lgammal_r: the
// plain lgamma keeps a global sign and is not safe across threads.)
inline void NegBinAddieren(Erwartungswerte& NP, std::uint32_t L, double k, double p, double v0,
                           double skala) {
  if (L == 0) return;
  const std::uint32_t j = Startklasse((k - 1) * (1 - p) / p, v0, L);
  int vorzeichen = 0;
  const long double kl = k, vl = v0 + j, pl = p;
  const long double logTerm = ::lgammal_r(kl + vl, &vorzeichen) - ::lgammal_r(kl, &vorzeichen) -
                              ::lgammal_r(vl + 1, &vorzeichen) + kl * std::log(pl) +
                              vl * std::log1p(-pl);
  const double tj = static_cast<double>(skala * std::exp(logTerm));
  Addieren(NP, L, j, tj, [&](std::uint32_t i) {
    const double v = v0 + i;
    return (v + k - 1) * (1 - p) / v;
  });
}

// Clears NP[0..L-1] before the Addieren functions fill them.
inline void Leeren(Erwartungswerte& NP, std::uint32_t L) {
  for (std::uint32_t i = 0; i < L; ++i) NP[i] = 0;
}

// The sum of NP[0..L-1] for the tail rule.
inline Summe Unterhalb(const Erwartungswerte& NP, std::uint32_t L) {
  Summe s = 0;
  for (std::uint32_t i = 0; i < L; ++i) s += NP[i];
  return s;
}

}  // namespace vk::members::voninnen
