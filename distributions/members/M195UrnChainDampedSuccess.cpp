// SPDX-License-Identifier: GPL-3.0-or-later
// Member 195: number of successes in n trials whose success probability falls with each
//   success: after j successes the next trial succeeds with h_j = p / (j a + 1);
//   a >= 0, 0 < p < 1, n = Int(F0) given (the largest value of the data). a = 0 is the
//   binomial(n, p). T[j][i], the probability of j successes in i trials, follows
//   T[0][i] = |1 - p|^i, T[j][i] = (1 - h_j) T[j][i-1] + h_(j-1) T[j-1][i-1], T[i][i] =
//   h_0...h_(i-1); NP[j] = N T[j][n], the last class takes the remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[50] = 0.5;
  E[1] = 1 - std::pow(g[0] / in.stat.summe, 1 / in.eig.festparameter[0]);
  // All the data in class 0 would start p at 0, the edge of its domain.
  InEinheitsintervallKorrigieren(E[1]);
}

constexpr Alternative kAlternativen[] = {{{50}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double p = par[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const std::uint32_t n = FaktorAnzahl(in.eig.festparameter[0]);
  const double q = std::fabs(1 - p);
  // The table is walked trial by trial, one column T[0..L][i] at a time, in NP[0..L] itself: a
  // row j <= L only ever reads rows up to j, so the rows beyond the last class, which the
  // classes do not need, are never formed, and no working storage beyond NP is used. Within a
  // column j runs downwards, so that NP[j-1] still holds T[j-1][i-1] when row j reads it.
  NP[0] = 1;
  for (std::uint32_t j = 1; j <= L; ++j) NP[j] = 0;
  Unterbrechungszaehler stopp(in);
  for (std::uint32_t i = 1; i <= n; ++i) {
    const std::uint32_t oben = std::min(i, L);
    // O(n L) in all: a cancel must not wait for the whole evaluation.
    if (stopp.Zaehlen(oben + 1)) break;
    double h = p / (oben * a + 1);
    for (std::uint32_t j = oben; j > 0; --j) {
      const double hVorher = p / ((j - 1) * a + 1);
      NP[j] = (1 - h) * NP[j] + hVorher * NP[j - 1];
      h = hVorher;
    }
    NP[0] *= q;
  }
  Summe summe = 0;
  for (std::uint32_t j = 0; j < L; ++j) {
    NP[j] *= N;
    summe += NP[j];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM195UrnChainDampedSuccess{.nummer = 195, .name = "Urn chain with damped successes",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
