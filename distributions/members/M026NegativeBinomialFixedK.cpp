// SPDX-License-Identifier: GPL-3.0-or-later
// Member 26: negative binomial distribution with a given k.
//   P(i) = C(k + i - 1, i) p^k (1 - p)^i,  i = 0, 1, 2, ...;  k > 0 fixed (F0), p in (0, 1).
//   The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/NegativBinomial.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  E[51] = in.stat.m1x0 / in.stat.m2;
  E[50] = negativbinomial::PAusErstemVerhaeltnis(in, E[51]);
}

constexpr Alternative kAlternativen[] = {{{50, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  negativbinomial::Berechnen(NP, in.stat, in.eig.festparameter[0], par[0]);
}

}  // namespace

// clang-format off
const Member kM026NegativeBinomialFixedK{.nummer = 26, .name = "Negative binomial (fixed k)",
    .parZahl = 1, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
