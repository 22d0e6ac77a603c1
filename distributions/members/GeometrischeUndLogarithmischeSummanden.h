// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/GestoppteSumme.h"

// The summands of the stopped sums 126 to 130, in the form the stopped-sum kernel takes them:
// g_0, 1 - g_0 formed without cancellation, g_1, and the ratio g_j/g_(j-1) for j >= 2.
namespace vk::members::summanden {

// Geometric on 0, 1, ...: g_j = p (1 - p)^j; the ratio is 1 - p.
inline gestoppt::Summand Geometrisch(double p) {
  const long double q = 1 - static_cast<long double>(p);
  return {p, q, p * q};
}

// Logarithmic on 1, 2, ...: g_j = -theta^j/(j ln(1 - theta)), g_0 = 0; the ratio is
// theta (j - 1)/j. ln(1 - theta) as log1p(-theta): the same number where 1 - theta is exact (theta
// from 1/2 on), and without the rounding of 1 - theta for a small theta, where g_1 tends to 1.
inline gestoppt::Summand Logarithmisch(double theta) {
  const long double t = theta;
  return {0, 1, -t / std::log1p(-t)};
}
inline auto LogarithmischVerhaeltnis(double theta) {
  return [theta](std::uint32_t j) -> long double {
    const long double dj = j;
    return theta * (dj - 1) / dj;
  };
}

// Binomial(n, p) with n = Int(F0) trials: g_0 = |1 - p|^n, g_1 = n p |1 - p|^(n-1), the ratio
// (n - j + 1) p/((1 - p) j), nothing beyond n. 1 - g_0 as -expm1(n ln|1 - p|): g_0 near 1 (few
// trials, a small p) would otherwise leave only the rounding of the difference.
inline gestoppt::Summand Binomisch(std::uint32_t n, double p) {
  const long double q = std::fabs(1 - static_cast<long double>(p));
  const long double dn = n;
  const long double logQ = std::log(q);
  gestoppt::Summand g{std::exp(dn * logQ), -std::expm1(dn * logQ), 0, n};
  if (n > 0) g.g1 = dn * p * std::exp((dn - 1) * logQ);
  return g;
}
inline auto BinomischVerhaeltnis(std::uint32_t n, double p) {
  return [n, p](std::uint32_t j) -> long double {
    const long double dj = j;
    return (static_cast<long double>(n) - dj + 1) * p / ((1 - static_cast<long double>(p)) * dj);
  };
}

// A binomial(m, pi) number of summands, P(s) = A(s)^m with A(s) = 1 - pi + pi g(s). The
// convolution recurrence of the binomial primary weighs the earlier classes by (m + 1) j - x,
// negative for j < x/(m + 1): its terms cancel, and the rounding of the large classes grows along
// the recurrence into the small ones (with m = 1 and logarithmic summands class 15 of a data set
// came out wrong in its first digit, class 16 negative). For a whole m and 0 < pi < 1 the same
// probabilities come from the power itself, formed by squaring and multiplying by A, where every
// coefficient and every product is positive and nothing cancels: A^m by the binary digits of m
// from the top, each step in place in NP from the top class down (class x of a product needs only
// the classes up to x of its factors). Between the steps the classes are scaled by a power of two
// so that the largest stays near 1: a first class (1 - pi (1 - g_0))^m below the double range is
// carried that way. Elsewhere (m not whole, pi outside (0, 1)) the recurrence as written.
template <typename Verhaeltnis>
void BinomialAnzahl(const Eingaben& in, Erwartungswerte& NP, double m, double pi,
                    const gestoppt::Summand& g, Verhaeltnis verhaeltnis) {
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  if (!(m >= 1 && m <= kGrenzeFaktoren && m == std::floor(m) && pi > 0 && pi < 1) || L == 0) {
    gestoppt::Berechnen(in, NP, {gestoppt::Art::kBinomial, m, pi}, g, verhaeltnis);
    return;
  }
  const long double a0 = 1 - pi * g.einsMinusG0;
  Unterbrechungszaehler stopp(in);
  int skala = 0;
  const auto skalieren = [&] {
    double groesster = 0;
    for (std::uint32_t x = 0; x < L; ++x) groesster = std::fmax(groesster, NP[x]);
    int e = 0;
    std::frexp(groesster, &e);
    if (groesster > 0 && (e > 100 || e < -100)) {
      for (std::uint32_t x = 0; x < L; ++x) NP[x] = std::ldexp(NP[x], -e);
      skala += e;
    }
  };
  // R <- R A, from the top class down.
  const auto malA = [&] {
    for (std::uint32_t x = L; x-- > 0;) {
      if (stopp.Zaehlen(x + 1)) {
        NP[x] = 0;
        continue;
      }
      Summe s = a0 * NP[x];
      long double aj = pi * g.g1;
      for (std::uint32_t j = 1; j <= x; ++j) {
        if (j > 1) aj *= verhaeltnis(j);
        s += aj * NP[x - j];
      }
      NP[x] = static_cast<double>(s);
    }
    skalieren();
  };
  // R <- R^2, from the top class down; the pairs (j, x - j) and (x - j, j) once, doubled.
  const auto quadrat = [&] {
    for (std::uint32_t x = L; x-- > 0;) {
      if (stopp.Zaehlen(x / 2 + 1)) {
        NP[x] = 0;
        continue;
      }
      Summe s = 0;
      for (std::uint32_t j = 0; 2 * j < x; ++j) s += static_cast<long double>(NP[j]) * NP[x - j];
      s *= 2;
      if (x % 2 == 0) s += static_cast<long double>(NP[x / 2]) * NP[x / 2];
      NP[x] = static_cast<double>(s);
    }
    skalieren();
  };
  // R = A.
  NP[0] = static_cast<double>(a0);
  long double aj = pi * g.g1;
  for (std::uint32_t j = 1; j < L; ++j) {
    if (j > 1) aj *= verhaeltnis(j);
    NP[j] = static_cast<double>(aj);
  }
  const auto ganz = static_cast<std::uint32_t>(m);
  int bit = 31;
  while (((ganz >> bit) & 1u) == 0) --bit;
  for (--bit; bit >= 0; --bit) {
    quadrat();
    if ((ganz >> bit) & 1u) malA();
  }
  Summe summe = 0;
  for (std::uint32_t x = 0; x < L; ++x) {
    NP[x] = N * std::ldexp(NP[x], skala);
    summe += NP[x];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace vk::members::summanden
