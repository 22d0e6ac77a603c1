// SPDX-License-Identifier: GPL-3.0-or-later
// Member 174: Neyman type A plus an independent Poisson count.
//   Probability generating function exp(a (e^(b(s-1)) - 1) + c (s - 1)): a Poisson(a) number of
//   Poisson(b) summands, and a Poisson(c) count added; a > 0, b > 0, c > 0. The classes follow
//   from the convolution i P(i) = a b e^-b sum_{j<i} b^j/j! P(i-1-j) + c P(i-1).
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

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

  const auto schritt = [&](std::uint32_t i, double vorher) {
    // O(L^2) in all: on many classes a cancel must not wait for the whole evaluation.
    if (stopp.Zaehlen(i)) return 0.0;
    // The Poisson(b) weights e^-b b^j/j! are formed afresh for each class: no working array is
    // needed for them.
    long double w = eb;
    Summe faltung = w * vorher;
    for (std::uint32_t j = 1; j < i; ++j) {
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
