// SPDX-License-Identifier: GPL-3.0-or-later
// Member 90: binomial distribution with a share of class 1 moved to class 0.
//   P(0) = Bin(0; n, p) + b Bin(1; n, p),  P(1) = (1 - b) Bin(1; n, p),  P(i) = Bin(i; n, p)
//   for i >= 2;  n a natural number, p in (0, 1), b in [0, 1). The last class takes the
//   remainder.
#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/BinomialAnteil.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  // n from the last class, then p and b as with a fixed n.
  E[51] = in.stat.n;
  binomialanteil::Schaetzen(in, E[51], E);
}

// Alt 1: (E[51], E[0], E[50]); Alt 2: (E[51], E[2], E[52]); Alt 3: (E[51], the means).
constexpr Alternative kAlternativen[] = {
    {{51}, {0}, {50}}, {{51}, {2}, {52}}, {{51}, {0, 2}, {50, 52}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  binomialanteil::Berechnen(NP, in.stat, par[0], par[1], par[2]);
}

}  // namespace

// clang-format off
const Member kM090BinomialShare{.nummer = 90, .name = "Binomial with a share of one moved to zero",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
