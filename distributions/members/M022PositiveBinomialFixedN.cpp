// SPDX-License-Identifier: GPL-3.0-or-later
// Member 22: zero-truncated (positive) binomial distribution with a given n.
//   P(v) = C(n, v) p^v (1 - p)^(n - v) / (1 - (1 - p)^n),  v = 1..n;  n fixed (F0), p in (0, 1)
//   (a negative p is taken as |p|, written back). The recurrence runs on the class values x[i],
//   class 0 holding the value 1; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PositiveBinomial.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m1 = in.stat.m1;
  const double q = in.f[0] / in.stat.summe;
  E[0] = std::fabs(m1 - q) / (static_cast<double>(in.stat.n) - q);
  E[1] = in.stat.fm2 / std::trunc(in.eig.festparameter[0] - 1) / m1;
}

constexpr Alternative kAlternativen[] = {{{0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  par[0] = std::fabs(par[0]);
  positivebinomial::Berechnen(NP, in, in.eig.festparameter[0], par[0]);
}

}  // namespace

// clang-format off
const Member kM022PositiveBinomialFixedN{.nummer = 22, .name = "Positive binomial (fixed n)",
    .parZahl = 1, .festparZahl = 1, .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
