// SPDX-License-Identifier: GPL-3.0-or-later
// Member 120: Poisson stopped sum of binomial summands with n trials (Poisson-binomial).
//   A Poisson(lambda) number of summands, each binomial(n, p);  pgf
//   exp(lambda ((1 - p + p s)^n - 1));  lambda > 0, 0 < p < 1, n = F0 fixed. The written
//   P(x) = lambda n p / x sum_{s<x} B(s; n - 1, p) P(x - 1 - s) is the Poisson recursion of the
//   stopped-sum kernel (j B(j; n, p) = n p B(j - 1; n - 1, p)), with P(0) =
//   exp(-lambda (1 - (1 - p)^n)); the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/GestoppteSumme.h"
#include "distributions/members/Members.h"
#include "distributions/members/Summanden.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double n = in.eig.festparameter[0];
  E[50] = (in.stat.m2 - M) / M / (n - 1);
  E[0] = M / (n * E[50]);
}

constexpr Alternative kAlternativen[] = {{{0}, {50}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double lambda = par[0];
  const double p = par[1];
  const double n = in.eig.festparameter[0];
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kPoisson, lambda, 0}, summanden::Binomial(n, p),
                      summanden::BinomialVerhaeltnis(n, p));
}

}  // namespace

// clang-format off
const Member kM120PoissonBinomialFixedN{.nummer = 120, .name = "Poisson-binomial (fixed n)",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
