// SPDX-License-Identifier: GPL-3.0-or-later
// Member 1: binomial distribution with a given number of trials.
//   P(i) = C(n, i) p^i (1 - p)^(n - i),  i = 0..n;  n fixed (F0), p in (0, 1) free. The last
//   class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Binomial.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double n = in.eig.festparameter[0];
  const double f0 = in.f[0];
  E[0] = M / (static_cast<double>(in.x[0]) + n);
  E[1] = (f0 > 0) ? 1 - std::pow(f0 / in.stat.summe, 1 / n) : E[0];
  E[2] = binomial::VerhaeltnisRegression(in.f, in.x, in.stat.n, n);
  E[3] = std::fabs(1 - in.stat.m2 / M);
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2, 3}}, {{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  binomial::Berechnen(NP, in.stat, in.eig.festparameter[0], par[0]);
}

}  // namespace

// clang-format off
const Member kM001BinomialFixedN{.nummer = 1, .name = "Binomial (fixed n)", .parZahl = 1,
    .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
