// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"

// Urn chains (member 194): n trials, where the next trial succeeds with a probability h_j that
// depends on the number j of successes so far. T[j][i], the probability of j successes in i
// trials, follows T[j][i] = (1 - h_j) T[j][i-1] + h_{j-1} T[j-1][i-1], with T[0][i] = t0^i and
// T[i][i] = h_0 ... h_{i-1}.
namespace vk::members::urnkette {

// NP[j] = N T[j][Int(n)] for j < L (0 beyond Int(n)), the last class by the tail rule. The table
// is kept as its current column T[0..i][i], overwritten from the top down as i grows; the column
// has up to 20001 entries, more than NP may hold beyond L, so it is a local array (160 KB of
// stack). Int(n) beyond the largest class value raises the invalid fault; the cost, of order n^2,
// polls the abort counter once per trial.
template <typename H>
void Schreiben(const Eingaben& in, double n, double t0, H h, Erwartungswerte& NP) {
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const std::uint32_t nn = BegrenzteAnzahl(n, kMaxKlassen - 1);
  std::array<double, kMaxKlassen> T;
  T[0] = 1;
  Unterbrechungszaehler zaehler(in);
  for (std::uint32_t i = 1; i <= nn; ++i) {
    if (zaehler.Zaehlen(i)) return;
    T[i] = h(i - 1.0) * T[i - 1];
    for (std::uint32_t j = i - 1; j > 0; --j) {
      const double jd = j;
      T[j] = (1 - h(jd)) * T[j] + h(jd - 1) * T[j - 1];
    }
    T[0] *= t0;
  }
  Summe summe = 0;
  for (std::uint32_t j = 0; j < L; ++j) {
    NP[j] = j <= nn ? N * T[j] : 0.0;
    summe += NP[j];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace vk::members::urnkette
