// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"

// The convolution of a negative binomial NB(b, theta) with a Poisson(a) stopped sum of geometric
// summands theta (1 - theta)^j (members 188, 189, 190): pgf g(s)^b exp(a (g(s) - 1)),
// g(s) = theta / (1 - (1 - theta) s).
namespace vk::members::nbpoissongeometrisch {

// NP[0] = N e^{-(1 - theta) a} theta^b, NP[1] = (1 - theta)(theta a + b) NP[0],
// i NP[i] = (1 - theta)((theta a + b + 2(i - 1)) NP[i-1] - (1 - theta)(i + b - 2) NP[i-2]); the
// last class takes the remainder. The recurrence runs in long double: its first term underflows
// in double from (1 - theta) a of about 745 on (or theta^b below 1e-308), while the classes near
// the mode are ordinary numbers; in long double it keeps its digits to about 11000.
inline void Schreiben(const Eingaben& in, double a, double b, double theta, Erwartungswerte& NP) {
  const double N = in.stat.summe;
  const long double q = 1 - static_cast<long double>(theta);
  const long double ab = theta * static_cast<long double>(a) + b;
  long double vorher = N * std::exp(-(q * a)) * std::pow(static_cast<long double>(theta), b);
  long double vorvorher = 0;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    if (i == 0) return static_cast<double>(vorher);
    const long double x = i;
    const long double neu =
        i == 1 ? q * ab * vorher
               : q * ((ab + 2 * (x - 1)) * vorher - q * (x + b - 2) * vorvorher) / x;
    vorvorher = vorher;
    vorher = neu;
    return static_cast<double>(neu);
  });
}

// The shared estimate iteration: a from the zero class, b from the variance, theta from the mean
// (mean (a + b)(1 - theta)/theta, variance mean + (b + 2a)((1 - theta)/theta)^2), each round with
// the values of the previous one; E[50], E[51], E[52] hold a, b, theta, E[0..2] the round before.
inline void Iteration(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double N = in.stat.summe;
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  E[50] = 1.0;
  E[51] = 0.5;
  E[52] = 0.5;
  for (int runde = 0; runde < 101; ++runde) {
    E[0] = E[50];
    E[1] = E[51];
    E[2] = E[52];
    E[50] = std::fabs((E[1] * std::log(E[2]) - std::log(g[0] / N)) / (1 - E[2]));
    if (E[50] >= 10) E[50] = 1.1;
    const double t = E[2] / (1 - E[2]);
    E[51] = std::fabs(2 * E[2] * M / (1 - E[2]) - t * t * (m2 - M));
    if (E[51] >= 10) E[51] = 1.2;
    E[52] = (std::fabs(1 - M / (M + E[1] + E[0])) + E[2]) / 2;
    if (std::fabs(E[52] - E[2]) < 0.0001) break;
  }
}

}  // namespace vk::members::nbpoissongeometrisch
