// SPDX-License-Identifier: GPL-3.0-or-later
// Member 103: zero-inflated binomial distribution.
//   P(0) = b (1 - p)^n + 1 - b,  P(i) = b C(n, i) p^i (1 - p)^(n - i),  i = 1..n;  n = 1, 2, ...,
//   0 < p < 1, 0 < b < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/NullInflationBinomial.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  const double fm3 = in.stat.fm3;
  E[100] = in.x[in.stat.n];
  // fm3 m1 / fm2^2 = (n - 2)/(n - 1) whatever b and p are.
  E[101] = std::fabs((fm3 * m1 - 2 * fm2 * fm2) / (fm3 * m1 - fm2 * fm2));
  E[102] = (E[100] + E[101]) / 2;
  nullinflation::BinomialSchaetzen(in, E[102], E);
}

constexpr Alternative kAlternativen[] = {
    {{100}, {0}, {50}}, {{101}, {1}, {51}}, {{102}, {2}, {51}}, {{102}, {0, 1, 2}, {50, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  nullinflation::BinomialBerechnen(NP, in.stat, par[0], par[1], par[2]);
}

}  // namespace

// clang-format off
const Member kM103ZeroInflatedBinomial{.nummer = 103, .name = "Zero-inflated binomial",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
