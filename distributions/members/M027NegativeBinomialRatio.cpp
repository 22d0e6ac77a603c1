// SPDX-License-Identifier: GPL-3.0-or-later
// Member 27: negative binomial distribution, started from the first frequency ratio.
//   P(i) = C(k + i - 1, i) p^k (1 - p)^i,  i = 0, 1, 2, ...;  k > 0, p in (0, 1). The last class
//   takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/NegativBinomial.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  E[51] = std::fabs(M / in.stat.m2);
  E[50] = negativbinomial::PAusErstemVerhaeltnis(in, E[51]);
  E[0] = negativbinomial::KAusMittel(M, E[50]);
}

constexpr Alternative kAlternativen[] = {{{0}, {50}}, {{0}, {51}}, {{0}, {50, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  negativbinomial::Berechnen(NP, in.stat, par[0], par[1]);
}

}  // namespace

// clang-format off
const Member kM027NegativeBinomialRatio{.nummer = 27, .name = "Negative binomial (ratio start)",
    .parZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
