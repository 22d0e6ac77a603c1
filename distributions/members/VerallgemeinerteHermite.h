// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Linear recurrences of the Poisson stopped sums among members 196 to 198: each class a linear
// combination of earlier ones, started from NP[0] = N e^(-c). Where e^(-c) lies below the normal
// range the classes run scaled and the scale is applied at the end, so the classes near the mode
// keep their digits instead of starting from 0.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"

namespace vk::members::hermite {

// Generalized Hermite, pgf exp(a (s - 1) + b (s^m - 1)), m = Int(m) >= 1:
// NP[0] = N e^-(a+b); i NP[i] = a NP[i-1] for i < m, b m NP[i-m] + a NP[i-1] from m on. An m
// below 1 has no such pgf (the recurrence would read the class it writes): a failed evaluation.
inline void Erwartungswerte(const Eingaben& in, double a, double b, double mWert,
                            Erwartungswerte& NP) {
  std::uint32_t m = FaktorAnzahl(mWert);
  if (m == 0) {
    RaiseInvalid();
    m = 1;
  }
  const double N = in.stat.summe;
  const double bm = b * m;
  const double p0 = std::exp(-(a + b));
  LineareRekursionMitRest(NP, in.stat.n, N, p0, -(static_cast<Summe>(a) + b),
                          [&](std::uint32_t i, double vorher) {
                            const double di = static_cast<double>(i);
                            if (i < m) return a * vorher / di;
                            return (bm * NP[i - m] + a * vorher) / di;
                          });
}

// The first-ratio estimates of a and b: f~[1]/f~[0] for a (the ratio of the classes below m),
// the zero class e^-(a+b) for b.
inline void ErsteSchaetzungen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = g[1] / g[0];
  E[1] = -std::log(g[0] / in.stat.summe) - E[0];
}

}  // namespace vk::members::hermite
