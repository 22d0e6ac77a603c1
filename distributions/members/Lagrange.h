// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"

// What the Lagrangian members (175 generalized Poisson, 176 its zero-inflated form, 177 and 180
// generalized negative binomial, 179) share: the generalized Poisson ratio, and class
// probabilities written as products whose single factors leave the double range (a binomial
// coefficient past 1e308 next to a power below 1e-308) while the product does not.
namespace vk::members::lagrange {

// P(i)/P(i-1) of the generalized Poisson distribution a (a + i b)^(i-1) e^(-a-ib) / i!:
// e^-b (a + i b) ((a + i b)/(a + (i-1) b))^(i-2) / i. The power of the quotient is taken as
// exp((i - 2) log1p(b/(a + (i-1) b))): the quotient is 1 + a small number, whose rounding the
// exponent i - 2 would otherwise multiply into every later class.
inline double GpVerhaeltnis(double a, double b, double i) {
  const double vorher = a + (i - 1) * b;
  return std::exp(-b) * (a + i * b) * std::exp((i - 2) * std::log1p(b / vorher)) / i;
}

// Beyond this a logarithm no longer belongs to a safe double (e^690 is about 1e300).
inline constexpr double kLogSicher = 690;

// log C(y, k) for real y as the sum of log((y - j + 1)/j), j = 1..k, with the largest partial
// sum: Binomialkoeffizient(k, y) multiplies the same factors in the same order, so it stays an
// ordinary number while that largest partial sum stays below kLogSicher. Every factor must be
// positive (y > k - 1).
struct LogBinom {
  Summe wert = 0;
  Summe groesstes = 0;
};
inline LogBinom LogBinomialkoeffizient(std::uint32_t k, double y) {
  LogBinom l;
  for (std::uint32_t j = 1; j <= k; ++j) {
    const double dj = static_cast<double>(j);
    l.wert += std::log((y - dj + 1) / dj);
    if (l.wert > l.groesstes) l.groesstes = l.wert;
  }
  return l;
}

// Whether a factor with this logarithm is an ordinary double, neither near overflow nor below the
// normal range.
inline bool Gewoehnlich(Summe logWert) {
  return logWert < kLogSicher && logWert > -kLogSicher;
}

// 0!, 1!, ..., 1754! in long double (1755! leaves its range), formed once.
inline constexpr std::uint32_t kFakultaeten = 1755;
inline const std::array<long double, kFakultaeten>& Fakultaeten() {
  static const std::array<long double, kFakultaeten> tabelle = [] {
    std::array<long double, kFakultaeten> f{};
    f[0] = 1;
    for (std::uint32_t n = 1; n < kFakultaeten; ++n) f[n] = f[n - 1] * n;
    return f;
  }();
  return tabelle;
}

// The product of faktor(c) for c = von .. bis - 1 in long double, in two chains (even and odd
// steps) that do not wait for each other; the same factors in the same order for every caller.
template <typename Faktor>
long double Zaehlerprodukt(std::uint32_t von, std::uint32_t bis, Faktor faktor) {
  long double gerade = 1, ungerade = 1;
  std::uint32_t c = von;
  for (; c + 1 < bis; c += 2) {
    gerade *= faktor(c);
    ungerade *= faktor(c + 1);
  }
  if (c < bis) gerade *= faktor(c);
  return gerade * ungerade;
}

}  // namespace vk::members::lagrange
