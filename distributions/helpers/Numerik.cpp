// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/helpers/Numerik.h"

#include "core/FpFault.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vk {

namespace {

inline constexpr std::uint32_t kTabellenEnde = 100;

// Built by the compiler, so there is no start-up order and no mutable state; each entry is the
// same double product k * (k-1)! that a run-time loop would form.
constexpr std::array<double, kTabellenEnde + 1> kFakultaeten = [] {
  std::array<double, kTabellenEnde + 1> t{};
  t[0] = 1;
  for (std::uint32_t k = 1; k <= kTabellenEnde; ++k) t[k] = static_cast<double>(k) * t[k - 1];
  return t;
}();

}  // namespace

double Fakultaet(std::uint32_t n) {
  if (n <= kTabellenEnde) return kFakultaeten[n];
  double r = kFakultaeten[kTabellenEnde];
  // Every product beyond the first overflowing one stays infinite and raises nothing new, so the
  // loop need not run on to a huge n.
  const std::uint32_t ende = std::min(n, kErsteUeberlaufendeFakultaet);
  for (std::uint32_t i = kTabellenEnde + 1; i <= ende; ++i) r *= static_cast<double>(i);
  return r;
}

double SteigendeFakultaet(std::uint32_t n, double x) {
  double r = x;
  for (std::uint32_t a = 1; a < n; ++a) r *= x + static_cast<double>(a);
  return r;
}

double GanzePotenz(std::uint32_t n, double x) {
  if (n == 0) return 1;
  double r = x;
  for (std::uint32_t i = 1; i < n; ++i) r *= x;
  return r;
}

double Binomialkoeffizient(std::int32_t k, double x) {
  if (k == 0) return 1;
  if (k < 0) return 0;
  double r = 1;
  for (std::int32_t i = 1; i <= k; ++i) {
    const double di = static_cast<double>(i);
    r *= (x - di + 1) / di;
  }
  return r;
}

namespace {

// The longest side of the triangle kept in one sweep: a row of T(., d) or a column of T(j, .).
inline constexpr std::uint32_t kStirlingSeite = 20001;

// T(j, d), the number in row n = j + d and column k = j of a triangle with T(j, 0) = 1,
// T(0, d) = 0 for d > 0 and T(j, d) = m(j, d) T(j, d - 1) + T(j - 1, d): for m = j the Stirling
// numbers of the second kind, for m = j + d - 1 the unsigned ones of the first kind. Integers
// while they fit 2^53, each cell then the double nearest to the exact sum of two exact products,
// rounded as doubles beyond; an overflow raises its fault. One line of the triangle is kept, the
// shorter of j = 0..k and d = 0..n - k.
template <typename Faktor>
double StirlingDreieck(std::uint32_t k, std::uint32_t d, Faktor m) {
  std::array<double, kStirlingSeite> zeile;
  if (std::min(k, d) >= kStirlingSeite) {
    RaiseInvalid();
    return 0;
  }
  if (d <= k) {
    // Over j, a line T(j, 0..d): T(j, e) = m(j, e) T(j, e - 1) + T(j - 1, e), in place.
    zeile[0] = 1;
    for (std::uint32_t e = 1; e <= d; ++e) zeile[e] = 0;
    for (std::uint32_t j = 1; j <= k; ++j)
      for (std::uint32_t e = 1; e <= d; ++e) zeile[e] = m(j, e) * zeile[e - 1] + zeile[e];
    return zeile[d];
  }
  // Over d, a line T(0..k, e), from T(., 0) = 1 (and T(0, e) = 0 for e > 0).
  for (std::uint32_t j = 0; j <= k; ++j) zeile[j] = 1;
  for (std::uint32_t e = 1; e <= d; ++e) {
    zeile[0] = 0;
    for (std::uint32_t j = 1; j <= k; ++j) zeile[j] = m(j, e) * zeile[j] + zeile[j - 1];
  }
  return zeile[k];
}

}  // namespace

double StirlingZweiterArt(std::uint32_t n, std::uint32_t k) {
  if (n < k || (k == 0 && n > 0)) return 0;
  if (n == 1 || n == k) return 1;
  return StirlingDreieck(k, n - k,
                         [](std::uint32_t j, std::uint32_t) { return static_cast<double>(j); });
}

double StirlingErsterArt(std::uint32_t n, std::uint32_t k) {
  if (n < k || (k == 0 && n > 0)) return 0;
  if (n == 1 || n == k) return 1;
  const double betrag = StirlingDreieck(k, n - k, [](std::uint32_t j, std::uint32_t e) {
    return static_cast<double>(j) + static_cast<double>(e) - 1;
  });
  return (n - k) % 2 == 0 ? betrag : -betrag;
}

namespace {

// ln Gamma(w) less its leading part (w - 1/2) ln w - w + ln(2 pi)/2: the Stirling series to
// w^-9, whose next term is below 1e-12 from w = 10 on and below 1e-19 from w = 100.
long double StirlingRest(long double w) {
  const long double u = 1 / (w * w);
  return (1.0L / 12 - u * (1.0L / 360 - u * (1.0L / 1260 - u * (1.0L / 1680 - u / 1188)))) / w;
}

}  // namespace

long double LogGammaDifferenz(long double z, long double a) {
  if (z < 10) return std::lgamma(z + a) - std::lgamma(z);
  // (z + a - 1/2) ln(z + a) - (z - 1/2) ln z - a = a ln z + (z + a - 1/2) ln(1 + a/z) - a.
  return a * std::log(z) + (z + a - 0.5L) * std::log1p(a / z) - a + StirlingRest(z + a) -
         StirlingRest(z);
}

double Digamma(std::int32_t n) {
  Summe s = 0;
  for (std::int32_t a = 1; a < n; ++a) s += 1.0 / static_cast<double>(a);
  return static_cast<double>(-0.577215664 + s);
}

}  // namespace vk
