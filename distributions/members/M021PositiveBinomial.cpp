// SPDX-License-Identifier: GPL-3.0-or-later
// Member 21: zero-truncated (positive) binomial distribution.
//   P(v) = C(n, v) p^v (1 - p)^(n - v) / (1 - (1 - p)^n),  v = 1..n;  n a natural number, p in
//   (0, 1) (a negative p is taken as |p|, written back). The recurrence runs on the class values
//   x[i], class 0 holding the value 1; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PositiveBinomial.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double dL = static_cast<double>(in.stat.n);
  const double m1 = in.stat.m1;
  const double q = in.f[0] / in.stat.summe;
  E[0] = dL + 1;
  E[1] = std::fabs(m1 - q) / (dL - q);
  E[2] = std::fabs(1 - std::pow(q / m1, 1 / (E[0] - 1)));
  E[3] = in.stat.fm2 / (E[0] - 1) / m1;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{0}, {2}}, {{0}, {3}}, {{0}, {1, 2, 3}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  par[1] = std::fabs(par[1]);
  positivebinomial::Berechnen(NP, in, par[0], par[1]);
}

}  // namespace

// clang-format off
const Member kM021PositiveBinomial{.nummer = 21, .name = "Positive binomial", .parZahl = 2,
    .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
