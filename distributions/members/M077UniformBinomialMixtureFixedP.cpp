// SPDX-License-Identifier: GPL-3.0-or-later
// Member 77: uniform distribution on 0..v-1 mixed over a zero-truncated binomial v with a given
// probability.
//   P(x) = sum_{v=x+1}^{n} Bin(v; n, p)/v / (1 - (1 - p)^n),  x = 0..n - 1;  n = 1, 2, ...,
//   p in (0, 1) fixed. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/GleichverteilungsMischung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  E[0] = static_cast<double>(in.stat.n) + 1;
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double n = par[0];
  const double p = in.eig.festparameter[0];
  // A given p outside (0, 1) has no binomial to mix over: a failed evaluation.
  if (!(p > 0 && p < 1)) RaiseInvalid();
  gleichverteilungsmischung::BinomialKlassen(NP, in.stat.n, in.stat.summe, n, p);
}

}  // namespace

// clang-format off
const Member kM077UniformBinomialMixtureFixedP{.nummer = 77,
    .name = "Uniform-binomial mixture (fixed p)", .parZahl = 1, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
