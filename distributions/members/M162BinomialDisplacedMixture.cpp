// SPDX-License-Identifier: GPL-3.0-or-later
// Member 162: binomial distribution mixed with itself displaced by one.
//   P(i) = (1 - w) B(i; n, p) + w B(i - 1; n, p),  i = 0..n + 1;  n a natural number,
//   0 < p < 1, 0 < w < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Binomial.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// n from the data's range; w and p from the mean n p + w and the second factorial moment
// n (n - 1) p^2 + 2 w n p.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double fm2 = in.stat.fm2;
  const double n = static_cast<double>(in.x[in.stat.n]) + static_cast<double>(in.x[0]);
  const double D = std::fabs(4 * M * M - 4 * (n + 1) * (n * fm2 - M * M * (n - 1)));
  E[0] = n;
  E[100] = (2 * M - std::sqrt(D)) / (2 * (n + 1));
  E[50] = (M - E[100]) / n;
}

constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double n = par[0];
  const double p = par[1];
  const double w = par[2];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  // B(0..L-1) first (from the largest class where (1 - p)^n underflows), then each class mixed
  // with the one below it, from the top down so that B(i - 1) is still there when class i
  // needs it. Nothing above L is touched.
  TStatistik eins = in.stat;
  eins.summe = 1;
  binomial::Berechnen(NP, eins, n, p);
  for (std::uint32_t i = L; i-- > 0;) {
    const double unten = i > 0 ? NP[i - 1] : 0.0;
    NP[i] = N * ((1 - w) * NP[i] + w * unten);
  }
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) summe += NP[i];
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM162BinomialDisplacedMixture{.nummer = 162,
    .name = "Binomial mixed with its shift by one", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
