// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/GestoppteSumme.h"
#include "distributions/members/VonInnen.h"

// The summand distributions of the stopped-sum members 118 to 125 in the form the stopped-sum
// kernel takes them: g_0, 1 - g_0 without cancellation, g_1, the largest value, and the ratio
// g_j / g_(j-1) for j >= 2.
namespace vk::members::summanden {

// Poisson(a): g_j = e^-a a^j / j!.
inline gestoppt::Summand Poisson(double a) {
  const long double al = a;
  return {std::exp(-al), -std::expm1(-al), al * std::exp(-al)};
}
inline auto PoissonVerhaeltnis(double a) {
  return [a](std::uint32_t j) { return static_cast<long double>(a) / j; };
}

// 1 + Poisson(phi) (Thomas): g_0 = 0, g_j = e^-phi phi^(j-1) / (j-1)!.
inline gestoppt::Summand EinsPlusPoisson(double phi) {
  return {0, 1, std::exp(-static_cast<long double>(phi))};
}
inline auto EinsPlusPoissonVerhaeltnis(double phi) {
  return [phi](std::uint32_t j) { return static_cast<long double>(phi) / (j - 1); };
}

// binomial(n, p): g_j = C(n, j) p^j (1 - p)^(n - j), nothing beyond j = Int(n); |1 - p| in the
// first term, g_0 = |1 - p|^n. A negative n, or one beyond the counts of a class index, raises
// the fault.
//
// For 0 < p < 1 and n >= 1, g_0 = e^t and 1 - g_0 = -(e^t - 1) come from the one t = n ln(1 - p),
// and g_1 = n p g_0/(1 - p): the same values to the last bits of long double, where the two
// long-double powers of the written form took most of an evaluation (n being free, they are formed
// for every one). Elsewhere the written form.
inline gestoppt::Summand Binomial(double n, double p) {
  const long double nl = n, pl = p;
  const auto hoechstens = BegrenzteAnzahl(n, std::numeric_limits<std::uint32_t>::max() - 1);
  if (p > 0 && p < 1 && n >= 1) {
    const long double t = nl * std::log1p(-pl);
    const long double g0 = std::exp(t);
    return {g0, -std::expm1(t), nl * pl * g0 / (1 - pl), hoechstens};
  }
  const long double q = std::fabs(1 - pl);
  const long double g0 = std::pow(q, nl);
  const long double einsMinusG0 = p < 1 ? -std::expm1(nl * std::log1p(-pl)) : 1 - g0;
  const long double g1 = nl * pl * std::pow(q, nl - 1);
  return {g0, einsMinusG0, g1, hoechstens};
}
inline auto BinomialVerhaeltnis(double n, double p) {
  return [n, p](std::uint32_t j) {
    return (static_cast<long double>(n) - j + 1) * p / ((1 - static_cast<long double>(p)) * j);
  };
}

// A binomial(m, pi) number of Poisson(a) summands for a whole m from 1 to L, 0 < pi < 1:
// P(x) = sum_{r=0}^{m} B(r; m, pi) Pois(x; r a), every term positive. The binomial recursion of
// the kernel adds terms of both signs ((m + 1) j - x changes sign at j = x/(m + 1)) and loses up
// to 1e-8 relative in the classes beyond m + 1; for m up to L this sum costs no more than the
// recursion. Each Poisson sequence starts at its mode (or at the highest class below L) from
// logarithms, with its weight, so neither a small weight nor an e^-(r a) below the double range
// loses its classes. Returns false, writing nothing, where it does not apply (the kernel then
// computes the classes, without cancellation for m above L).
inline bool BinomialPoissonMischung(const Eingaben& in, Erwartungswerte& NP, double m, double a,
                                    double pi) {
  const std::uint32_t L = in.stat.n;
  if (!(m >= 1 && m <= L && m == std::floor(m) && pi > 0 && pi < 1 && a > 0)) return false;
  const auto mm = static_cast<std::uint32_t>(m);
  const Summe logN = std::log(static_cast<Summe>(in.stat.summe));
  const Summe logQuote = std::log(static_cast<Summe>(pi)) - std::log1p(-static_cast<Summe>(pi));
  Summe logB = m * std::log1p(-static_cast<Summe>(pi));
  voninnen::Leeren(NP, L);
  NP[0] = static_cast<double>(std::exp(logB + logN));
  Unterbrechungszaehler stopp(in);
  for (std::uint32_t r = 1; r <= mm && !stopp.Zaehlen(L); ++r) {
    logB += std::log(static_cast<Summe>(mm - r + 1) / r) + logQuote;
    const double mu = r * a;
    const std::uint32_t j = voninnen::Startklasse(mu, 0, L);
    Summe logFakultaet = 0;
    for (std::uint32_t k = 2; k <= j; ++k) logFakultaet += std::log(static_cast<Summe>(k));
    const Summe logTj = logB + logN + j * std::log(static_cast<Summe>(mu)) - mu - logFakultaet;
    voninnen::Addieren(NP, L, j, static_cast<double>(std::exp(logTj)),
                       [&](std::uint32_t i) { return mu / i; });
  }
  RestklasseSetzen(NP, L, in.stat.summe, voninnen::Unterhalb(NP, L));
  return true;
}

}  // namespace vk::members::summanden
