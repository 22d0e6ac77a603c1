// SPDX-License-Identifier: GPL-3.0-or-later
// Member 24: binomial distribution with a given n, left-truncated below the value t.
//   P(v) = C(n, v) p^v (1 - p)^(n - v) / (1 - sum_{u<x[0]} C(n, u) p^u (1 - p)^(n - u)),
//   v = x[0]..n;  n (F0) and the truncation value t = x[0] > 1 (F1) fixed, p in (0, 1). The
//   recurrence runs on the class values; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/LinksgestutzteBinomial.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenWerte& x = in.x;
  const double m1 = in.stat.m1;
  const double n = in.eig.festparameter[0];
  const double t = in.eig.festparameter[1];
  const double xL = static_cast<double>(x[in.stat.n]);
  E[0] = (m1 * m1 + in.stat.m2 - m1 * t) / (m1 * (xL - 1) - (t - 1) * xL);
  E[1] = (in.stat.fm2 + m1 - m1 * t) / (m1 * (n - 1) - n * (t - 1));
}

constexpr Alternative kAlternativen[] = {{{0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  linksgestutztebinomial::Berechnen(NP, in, in.eig.festparameter[0], par[0],
                                    in.eig.festparameter[1]);
}

}  // namespace

// clang-format off
const Member kM024LeftTruncatedBinomialFixedN{.nummer = 24,
    .name = "Left-truncated binomial (fixed n)", .parZahl = 1, .festparZahl = 2,
    .traeger = Traeger::kUeberEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
