// SPDX-License-Identifier: GPL-3.0-or-later
// Member 16: Poisson stopped sum of negative binomial summands (Poisson-Pascal distribution).
//   X = Y_1 + ... + Y_K with K ~ Poisson(lambda) and Y_j ~ NB(k, c) independent,
//   g(j) = C(k + j - 1, j) c^k (1 - c)^j;  pgf exp(lambda (G(s) - 1)),
//   G(s) = (c / (1 - (1 - c) s))^k;  support 0, 1, 2, ...;  lambda > 0, k > 0, 0 < c < 1.
//   Computed by the convolution recursion
//   NP[x] = c^k (1 - c) k lambda (sum_j w_j NP[x-1-j]) / x,  w_j = C(k + j, j) (1 - c)^j;
//   the last class takes the remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double fm2 = in.stat.fm2;
  const double fm3 = in.stat.fm3;
  const double d1 = (fm2 - M * M) / M;
  const double d2 = (fm3 - 3 * M * fm2 + 2 * M * M * M) / (fm2 - M * M);
  double D = d2 - d1;
  if (D == 0) D = 1;
  E[0] = (2 * d1 - d2) / D;
  E[2] = 1 / (d2 - d1 + 1);
  E[1] = (E[0] == 0) ? M / D : M / E[0] / D;
}

constexpr Alternative kAlternativen[] = {{{1}, {0}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double lambda = par[0];
  const double k = par[1];
  const double c = par[2];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double ck = std::pow(c, k);
  Unterbrechungszaehler stopp(in);

  const auto schritt = [&](std::uint32_t x, double vorher) {
    // O(L²) in all: on many classes a cancel must not wait for the whole evaluation.
    if (stopp.Zaehlen(x)) return 0.0;
    // The weights are formed afresh for each x: the sum costs O(x) anyway, and no working
    // array is needed for them.
    double w = 1;
    Summe faltung = w * vorher;
    for (std::uint32_t j = 1; j < x; ++j) {
      const double dj = static_cast<double>(j);
      w = w * (dj + k) * (1 - c) / dj;
      faltung += w * NP[x - 1 - j];
    }
    return ck * (1 - c) * k * lambda * static_cast<double>(faltung) / static_cast<double>(x);
  };
  const double e0 = std::exp(-lambda * (1 - ck));
  // Below the normal range (a large lambda) the linear convolution runs scaled.
  LineareRekursionMitRest(NP, L, N, e0, -lambda * (1 - ck), schritt);
}

}  // namespace

// clang-format off
const Member kM016PoissonNegativeBinomial{.nummer = 16, .name = "Poisson-Pascal", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
