// SPDX-License-Identifier: GPL-3.0-or-later
// Member 105: logarithmic-Poisson distribution with Poisson summands of mean 1.
//   G(s) = ln(1 - p e^(s-1)) / ln(1 - p);  0 < p < 1; p of 1 or more is pulled back into (0, 1)
//   (written back). The last class takes the remainder.
#include "distributions/Helpers.h"
#include "distributions/members/LogarithmischPoisson.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  // fm2/M = 1/(1 - p).
  E[0] = 1 - M / (in.stat.m2 - M + M * M);
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  logpoisson::RKorrigieren(par[0]);
  logpoisson::Berechnen(in, NP, 1, par[0]);
}

}  // namespace

// clang-format off
const Member kM105LogarithmicPoissonUnitMean{.nummer = 105,
    .name = "Logarithmic-Poisson (unit summand mean)", .parZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
