// SPDX-License-Identifier: GPL-3.0-or-later
// Member 123: binomial stopped sum of Poisson summands (binomial-Poisson), m free.
//   As member 122 with m a free parameter: pgf (1 - pi + pi e^(a (s - 1)))^m;  a > 0, m a
//   natural number, 0 < pi < 1. For m up to L by the sum over the number of summands (see
//   member 122); the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GestoppteSumme.h"
#include "distributions/members/Members.h"
#include "distributions/members/Summanden.h"

namespace vk::members {

namespace {

// The first-ratio estimates of member 122 with m = x[L] + 2, then m = m1 / (a pi).
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m = in.x[in.stat.n] + 2.0;
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[1] = std::fabs(2 * g[0] * g[2] * m - g[1] * g[1] * m + g[1] * g[1]) / (m * g[0] * g[1]);
  E[52] = std::fabs(g[1] / (g[1] + std::exp(-E[1]) * (E[1] * m * g[0] - g[1])));
  E[100] = in.stat.m1 / (E[1] * E[52]);
}

constexpr Alternative kAlternativen[] = {{{1}, {100}, {52}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double m = par[1];
  const double pi = par[2];
  if (summanden::BinomialPoissonMischung(in, NP, m, a, pi)) return;
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kBinomial, m, pi}, summanden::Poisson(a),
                      summanden::PoissonVerhaeltnis(a));
}

}  // namespace

// clang-format off
const Member kM123BinomialPoisson{.nummer = 123, .name = "Binomial-Poisson", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
