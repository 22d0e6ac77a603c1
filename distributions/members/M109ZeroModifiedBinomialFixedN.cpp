// SPDX-License-Identifier: GPL-3.0-or-later
// Member 109: zero-modified (zero-truncated, then given the zero share 1 - b) binomial
// distribution with a given number of trials.
//   P(0) = 1 - b,  P(i) = b C(n, i) p^i (1 - p)^(n - i) / (1 - (1 - p)^n),  i = 1..n;
//   0 < p < 1 free; n (F0) and b (F1) fixed. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double fm2 = in.stat.fm2;
  // fm2/m1 = (n - 1) p and fm3/fm2 = (n - 2) p whatever the zero share is.
  E[0] = std::fabs(fm2 / in.stat.m1 - in.stat.fm3 / fm2);
  if (E[0] > 1) E[0] = 0.9;
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const double n = in.eig.festparameter[0];
  const double b = in.eig.festparameter[1];
  // A number of trials that is not whole would turn the ratio negative beyond n.
  if (n != std::trunc(n)) RaiseInvalid();
  const double N = in.stat.summe;
  const double q = std::fabs(1 - p);
  const double np1 = N * b * n * p * std::pow(q, n - 1) / (1 - std::pow(q, n));
  RekursionMitRest(NP, in.stat.n, N, N * (1 - b), [&](double i, double vorher) {
    return i == 1 ? np1 : vorher * (n - i + 1) * p / ((1 - p) * i);
  });
}

}  // namespace

// clang-format off
const Member kM109ZeroModifiedBinomialFixedN{.nummer = 109,
    .name = "Zero-modified binomial (fixed n and b)", .parZahl = 1, .festparZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
