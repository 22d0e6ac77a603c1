// SPDX-License-Identifier: GPL-3.0-or-later
// Member 102: zero-inflated binomial distribution with a given number of trials.
//   P(0) = b (1 - p)^n + 1 - b,  P(i) = b C(n, i) p^i (1 - p)^(n - i),  i = 1..n;  n fixed (F0),
//   0 < p < 1, 0 < b < 1 free. The last class takes the remainder.
#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/NullInflationBinomial.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  nullinflation::BinomialSchaetzen(in, in.eig.festparameter[0], E);
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}}, {{1}, {51}}, {{2}, {51}}, {{0, 1, 2}, {50, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  nullinflation::BinomialBerechnen(NP, in.stat, in.eig.festparameter[0], par[0], par[1]);
}

}  // namespace

// clang-format off
const Member kM102ZeroInflatedBinomialFixedN{.nummer = 102,
    .name = "Zero-inflated binomial (fixed n)", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
