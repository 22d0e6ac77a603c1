// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"

// Urn chains (member 194): n trials, where the next trial succeeds with a probability h_j that
// depends on the number j of successes so far. T[j][i], the probability of j successes in i
// trials, follows T[j][i] = (1 - h_j) T[j][i-1] + h_{j-1} T[j-1][i-1], with T[0][i] = t0^i and
// T[i][i] = h_0 ... h_{i-1}.
namespace vk::members::urnkette {

// NP[j] = N T[j][Int(n)] for j < L (0 beyond Int(n)), the last class by the tail rule. The table
// is kept as its current column, overwritten from the top down as i grows, and only its rows
// j < L: T[j][i] reads no row above j, so the classes below L come out as from the whole
// (n + 1) x (n + 1) table at a cost of n L instead of n^2. The column lives in NP[0..L-1]. Int(n)
// beyond the largest class value raises the invalid fault; the cost polls the abort counter
// once per trial.
template <typename H>
void Schreiben(const Eingaben& in, double n, double t0, H h, Erwartungswerte& NP) {
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const std::uint32_t nn = BegrenzteAnzahl(n, kMaxKlassen - 1);
  if (L == 0) {
    NP[0] = N;
    return;
  }
  const std::uint32_t oben = nn < L - 1 ? nn : L - 1;
  NP[0] = 1;
  Unterbrechungszaehler zaehler(in);
  for (std::uint32_t i = 1; i <= nn; ++i) {
    if (zaehler.Zaehlen(i < oben ? i : oben)) return;
    std::uint32_t j = oben;
    if (i <= oben) {
      NP[i] = h(i - 1.0) * NP[i - 1];
      j = i - 1;
    }
    for (; j > 0; --j) {
      const double jd = j;
      NP[j] = (1 - h(jd)) * NP[j] + h(jd - 1) * NP[j - 1];
    }
    NP[0] *= t0;
  }
  Summe summe = 0;
  for (std::uint32_t j = 0; j < L; ++j) {
    NP[j] = j <= nn ? N * NP[j] : 0.0;
    summe += NP[j];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace vk::members::urnkette
