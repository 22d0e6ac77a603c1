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
  if (e0 >= kKleinsteNormale || L == 0) {
    RekursionMitRest(NP, L, N, N * e0, schritt);
    return;
  }
  // e^-lambda(1 - c^k) is below the normal range (a large lambda): the classes would start from
  // a number without digits, or from 0. The convolution is linear in the classes, so it runs on
  // the classes scaled by e^(lambda (1 - c^k)) / N, divided by 2^900 whenever one grows beyond
  // 2^900, and the scale (kept as its logarithm) is applied at the end; classes whose values lie
  // below the double range come out as 0.
  constexpr double kGross = 0x1p900;
  constexpr double kVerkleinern = 0x1p-900;
  const Summe kLn2 = std::log(static_cast<Summe>(2));
  Summe logSkala = std::log(static_cast<Summe>(N)) - lambda * (1 - ck);
  NP[0] = 1;
  for (std::uint32_t x = 1; x < L; ++x) {
    NP[x] = schritt(x, NP[x - 1]);
    if (NP[x] > kGross) {
      for (std::uint32_t j = 0; j <= x; ++j) NP[j] *= kVerkleinern;
      logSkala += 900 * kLn2;
    }
  }
  // 2^t with t = logSkala / ln 2 split into an integer power (ldexp, which goes gradually into
  // the subnormal range without a fault) and a fraction. The scale never exceeds N, so only the
  // lower bound of the clamp can matter: below it every class is 0 anyway.
  const Summe t = std::clamp(logSkala / kLn2, static_cast<Summe>(-1e5), static_cast<Summe>(1e5));
  const Summe ganz = std::floor(t);
  const double bruch = static_cast<double>(std::exp2(t - ganz));
  // A scale that is no number (the parameters were none, which has raised its fault) gives no
  // exponent to convert.
  const int exponent = ganz == ganz ? static_cast<int>(ganz) : 0;
  Summe summe = 0;
  for (std::uint32_t x = 0; x < L; ++x) {
    NP[x] = std::ldexp(NP[x] * bruch, exponent);
    summe += NP[x];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM016PoissonNegativeBinomial{.nummer = 16, .name = "Poisson-Pascal", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
