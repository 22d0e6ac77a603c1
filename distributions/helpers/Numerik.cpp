// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/helpers/Numerik.h"

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

double StirlingZweiterArt(std::uint32_t n, std::uint32_t k) {
  if (n < k || (k == 0 && n > 0)) return 0;
  if (n == 1 || n == k) return 1;
  const double dn = static_cast<double>(n);
  if (n == k + 1) return dn * (dn - 1) / 2;
  Summe s = 0;
  for (std::uint32_t i = 1; i <= k; ++i) {
    // Single precision on purpose: the values the fits rest on were formed this way, and a power
    // beyond the float range is then an overflow fault here as well.
    const float potenz = std::pow(static_cast<float>(i), static_cast<float>(n));
    const double vorzeichen = ((k - i) % 2 == 0) ? 1.0 : -1.0;
    s += vorzeichen * static_cast<double>(potenz) / (Fakultaet(i) * Fakultaet(k - i));
  }
  return static_cast<double>(s);
}

double StirlingErsterArt(std::uint32_t n, std::uint32_t k) {
  if (n < k || (k == 0 && n > 0)) return 0;
  if (n == 1 || n == k) return 1;
  const double dn = static_cast<double>(n);
  if (k == 1) return ((n - 1) % 2 == 0 ? 1.0 : -1.0) * Fakultaet(n - 1);
  if (n == k + 1) return -dn * (dn - 1) / 2;
  const std::uint32_t d = n - k;
  const double dd = static_cast<double>(d);
  double t = Fakultaet(2 * n - k) / (Fakultaet(d) * Fakultaet(d) * Fakultaet(k - 1) * dn);
  Summe s = 0;
  for (std::uint32_t j = 0; j <= d; ++j) {
    s += t * StirlingZweiterArt(d + j, j);
    const double dj = static_cast<double>(j);
    t = -t * (dn + dj) * (dd - dj) / ((dd + dj + 1) * (dn + dj + 1));
  }
  return static_cast<double>(s);
}

double Digamma(std::int32_t n) {
  Summe s = 0;
  for (std::int32_t a = 1; a < n; ++a) s += 1.0 / static_cast<double>(a);
  return static_cast<double>(-0.577215664 + s);
}

}  // namespace vk
