// SPDX-License-Identifier: GPL-3.0-or-later
// Member 153: binomial distribution with a second-order correction.
//   P(j) = B(j; n, p) (1 - j b/(n p) (1 - (j - 1)/((n - 1) p))),  j = 0..n;  n fixed (F0),
//   0 < p < 1, b below cap = 4 n (n - 1) p^2 / (n p + 1 - p)^2 (the largest b for which the
//   quadratic factor stays non-negative; a b at or above it becomes cap - 0.1 and is written
//   back). The correction has mean 0, so the probabilities sum to 1. The last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Binomial.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

double Grenze(double n, double p) {
  const double nenner = n * p + 1 - p;
  return 4 * n * (n - 1) * p * p / (nenner * nenner);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double n = in.eig.festparameter[0];
  const double M = in.stat.m1x0;
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = std::fabs(1 - std::sqrt((n - M) / (n + g[1] / g[0])));
  E[1] = (M - n * E[0]) / (1 - E[0]);
  const double cap = Grenze(n, E[0]);
  if (E[1] >= cap) E[1] = cap - 0.1;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double n = in.eig.festparameter[0];
  const double p = par[0];
  const double cap = Grenze(n, p);
  if (par[1] >= cap) par[1] = cap - 0.1;
  const double b = par[1];
  const double N = in.stat.summe;
  // B(j) by the binomial recurrence (from the largest class where (1 - p)^n underflows); the
  // correction factor of each class is applied afterwards, as it is no ratio.
  binomial::Berechnen(NP, in.stat, n, p);
  const std::uint32_t L = in.stat.n;
  Summe summe = 0;
  for (std::uint32_t j = 0; j < L; ++j) {
    const double dj = j;
    if (j == 1) {
      NP[j] *= 1 - b / (n * p);
    } else if (j > 1) {
      NP[j] *= 1 - dj * b / (n * p) * (1 - (dj - 1) / ((n - 1) * p));
    }
    summe += NP[j];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM153BinomialCorrected{.nummer = 153, .name = "Binomial with a second-order correction",
    .parZahl = 2, .festparZahl = 1, .traeger = Traeger::kNull,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
