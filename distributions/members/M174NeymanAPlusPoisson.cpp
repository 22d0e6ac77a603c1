// SPDX-License-Identifier: GPL-3.0-or-later
// Member 174: Neyman type A plus an independent Poisson count.
//   Probability generating function exp(a (e^(b(s-1)) - 1) + c (s - 1)): a Poisson(a) number of
//   Poisson(b) summands, and a Poisson(c) count added; a > 0, b > 0, c > 0. The classes follow
//   from the convolution i P(i) = a b e^-b sum_{j<i} b^j/j! P(i-1-j) + c P(i-1); the last class
//   takes the remainder.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Schnittschranke.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The weights kept in a table per evaluation (16 KB of long doubles on the stack).
inline constexpr std::uint32_t kGewichte = 1024;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  const double m3 = in.stat.m3;
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[1] = (m3 - M - 3 * (m2 - M)) / (m2 - M);
  E[0] = (m2 - M) / (E[1] * E[1]);
  E[2] = M - E[1] * E[0];
  E[150] = (std::log(g[0] / in.stat.summe) + M) / (M + m2);
  // A walk of b in steps of 0.001 towards (e^-b + b - 1)/b^2 = E[150].
  E[52] = E[1];
  for (int runde = 0; runde < 501; ++runde) {
    E[51] = E[52];
    const double t = (std::exp(-E[51]) + E[51] - 1) / (E[51] * E[51]);
    E[52] += t > E[150] ? 0.001 : -0.001;
    if (std::fabs(E[51] - E[52]) < 0.0001) break;
  }
  E[50] = (m2 - M) / (E[51] * E[51]);
  E[52] = M - E[51] * E[50];
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}, {{50}, {51}, {52}}};

// On many classes (a word-frequency spectrum has 20001) the convolution costs L^2/2 steps. For
// every s > 1, P(X >= x) <= G(s) s^-x with ln G(s) = a (e^(b (s - 1)) - 1) + c (s - 1), so every
// class from x > (ln G(s) - ln 1e-300) / ln s on is below 1e-300 N. Those classes are 0 (a change
// of less than 1e-300 N each, and of as little in the last class, which takes the remainder) and
// their sums are not formed; every class below is computed as written. Schnitt gives the least
// such x over s - 1 = 2^-6 .. 2^6, no cut (the largest count) where a parameter is outside its
// domain or no s bounds below 2^32; points whose terms would leave the double range are passed
// over.
std::uint32_t Schnitt(double a, double b, double c, std::uint32_t L) {
  using namespace schnittschranke;
  if (!std::isgreater(a, 0.0) || !std::isgreaterequal(b, 0.0) || !std::isgreaterequal(c, 0.0))
    return kKeiner;
  if (!Moeglich(64, L)) return kKeiner;
  const double logA = std::log(a);
  Kleinste kleinste;
  for (int k = -6; k <= 6; ++k) {
    const double t = std::ldexp(1.0, k);
    if (b * t > 700 || logA + b * t > 700 || c * t > 1e300) continue;
    kleinste.Versuchen(a * std::expm1(b * t) + c * t, t);
  }
  return kleinste.Klasse();
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double c = par[2];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  // e^-b in long double: in double it is 0 from b of about 745 on, and b^j/j! overflows from
  // about 710.
  const long double eb = std::exp(-static_cast<long double>(b));
  Unterbrechungszaehler stopp(in);
  const std::uint32_t schnitt = Schnitt(a, b, c, L);

  // The Poisson(b) weights e^-b b^j/j!, the same products in the same order for every class:
  // formed once per evaluation as far as the table goes, beyond it along the sum.
  std::array<long double, kGewichte + 1> gewicht;
  const std::uint32_t tabelliert = std::min(L > 1 ? L - 2 : 0, kGewichte);
  gewicht[0] = eb;
  for (std::uint32_t j = 1; j <= tabelliert; ++j) gewicht[j] = gewicht[j - 1] * b / j;

  const auto schritt = [&](std::uint32_t i, double vorher) {
    // O(L^2) in all: on many classes a cancel must not wait for the whole evaluation.
    if (i >= schnitt || stopp.Zaehlen(i)) return 0.0;
    Summe faltung = gewicht[0] * vorher;
    const std::uint32_t bisTabelle = std::min(i - 1, tabelliert);
    for (std::uint32_t j = 1; j <= bisTabelle; ++j) faltung += gewicht[j] * NP[i - 1 - j];
    long double w = gewicht[bisTabelle];
    for (std::uint32_t j = bisTabelle + 1; j < i; ++j) {
      w = w * b / j;
      faltung += w * NP[i - 1 - j];
    }
    return static_cast<double>((a * b * faltung + c * vorher) / i);
  };
  const double logP0 = static_cast<double>(a * std::expm1(-static_cast<long double>(b))) - c;
  const double p0 = std::exp(logP0);
  // P(0) below the normal range (large a or c): the linear convolution runs scaled.
  LineareRekursionMitRest(NP, L, N, p0, logP0, schritt);
}

}  // namespace

// clang-format off
const Member kM174NeymanAPlusPoisson{.nummer = 174, .name = "Neyman type A plus Poisson",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
