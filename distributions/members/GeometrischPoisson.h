// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Schnittschranke.h"
#include "distributions/helpers/Unterbrechung.h"

// What members 106 (a free) and 107 (a = 1) share: the geometric stopped sum of Poisson summands,
// X = Y_1 + ... + Y_K with P(K = k) = (1 - b) b^k, k = 0, 1, ..., and Y_j Poisson(a):
//   G(s) = (1 - b) / (1 - b e^(a(s-1))),
//   P(0) = (1 - b)/(1 - b e^-a),  P(j) = b sum_{k=1}^{j} Pois(k; a) P(j-k) / (1 - b e^-a).
namespace vk::members::geompoisson {

// The Poisson weights kept per evaluation (16 KB on the stack).
inline constexpr std::uint32_t kGewichte = 1024;

// On many classes (a word-frequency spectrum has 20001) the convolution costs L^2/2 steps. For
// every s > 1 with b e^(a (s - 1)) < 1, P(X >= x) <= G(s) s^-x, so every class from
// x > (ln G(s) - ln 1e-300) / ln s on is below 1e-300 N. Those classes are 0 (a change of less
// than 1e-300 N each, and of as little in the last class, which takes the remainder) and their
// sums are not formed; every class below is computed as written. Schnitt gives the least such x
// over s - 1 = f (-ln b)/a with f = 2^-1 .. 2^-30 and 1 - 2^-2 .. 1 - 2^-12; no cut (the largest
// count) where a parameter is outside its domain or no s bounds below 2^32.
inline std::uint32_t Schnitt(double a, double b, std::uint32_t L) {
  using namespace schnittschranke;
  if (!(a > 0 && b > 0 && b < 1)) return kKeiner;
  const double logB = std::log(b);
  const double spanne = -logB / a;
  if (!Moeglich(spanne, L)) return kKeiner;
  const double log1mB = std::log1p(-b);
  Kleinste kleinste;
  const auto versuchen = [&](double f) {
    const double t = f * spanne;
    const double logA = logB + a * t;  // ln(b e^(a t))
    if (!(logA < -1e-12)) return;
    kleinste.Versuchen(log1mB - std::log(-std::expm1(logA)), t);
  };
  for (int j = 1; j <= 30; ++j) versuchen(std::ldexp(1.0, -j));
  for (int j = 2; j <= 12; ++j) versuchen(1 - std::ldexp(1.0, -j));
  return kleinste.Klasse();
}

inline void Berechnen(const Eingaben& in, Erwartungswerte& NP, double a, double b) {
  const double N = in.stat.summe;
  // The Poisson weights in extended precision: e^-a leaves the double range from a of about 745
  // on, where the classes near multiples of a are still representable.
  const long double ea = std::exp(-static_cast<long double>(a));
  const double nenner = static_cast<double>(1 - b * ea);
  // The Poisson weights w_k = w_(k-1) a/k from w_0 = e^-a, up to kGewichte once per evaluation
  // (on the stack) instead of along every sum: a chain of divisions per class was most of the
  // time. Beyond the table each sum carries the chain on from its last entry, the same products
  // in the same order, so every weight is the long double it was.
  const std::uint32_t L = in.stat.n;
  std::array<long double, kGewichte + 1> gewicht;
  const std::uint32_t tabelliert = L > 1 ? std::min(L - 1, kGewichte) : 0;
  gewicht[0] = ea;
  for (std::uint32_t k = 1; k <= tabelliert; ++k) gewicht[k] = gewicht[k - 1] * a / k;
  Unterbrechungszaehler stopp(in);
  const std::uint32_t schnitt = Schnitt(a, b, L);
  RekursionMitRest(NP, L, N, N * (1 - b) / nenner, [&](std::uint32_t j, double) {
    if (j >= schnitt || stopp.Zaehlen(j)) return 0.0;
    Summe faltung = 0;
    const std::uint32_t ausTabelle = std::min(j, tabelliert);
    for (std::uint32_t k = 1; k <= ausTabelle; ++k) faltung += gewicht[k] * NP[j - k];
    long double w = gewicht[ausTabelle];
    for (std::uint32_t k = ausTabelle + 1; k <= j; ++k) {
      w = w * a / k;
      faltung += w * NP[j - k];
    }
    return b * static_cast<double>(faltung) / nenner;
  });
}

}  // namespace vk::members::geompoisson
