// SPDX-License-Identifier: GPL-3.0-or-later
// Member 122: binomial stopped sum of Poisson summands (binomial-Poisson), m fixed.
//   A binomial(m, pi) number of summands, each Poisson(a);  pgf (1 - pi + pi e^(a (s - 1)))^m;
//   a > 0, 0 < pi < 1, m = F0 fixed. Computed by the binomial recursion of the stopped-sum
//   kernel, or for a whole m up to L by the sum over the number of summands; the last class takes
//   the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GestoppteSumme.h"
#include "distributions/members/Members.h"
#include "distributions/members/Summanden.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m = in.eig.festparameter[0];
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[1] = std::fabs(2 * g[0] * g[2] * m - g[1] * g[1] * m + g[1] * g[1]) / (m * g[0] * g[1]);
  E[52] = std::fabs(g[1] / (g[1] + std::exp(-E[1]) * (E[1] * m * g[0] - g[1])));
}

constexpr Alternative kAlternativen[] = {{{1}, {52}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double pi = par[1];
  if (summanden::BinomialPoissonMischung(in, NP, in.eig.festparameter[0], a, pi)) return;
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kBinomial, in.eig.festparameter[0], pi},
                      summanden::Poisson(a), summanden::PoissonVerhaeltnis(a));
}

}  // namespace

// clang-format off
const Member kM122BinomialPoissonFixedM{.nummer = 122, .name = "Binomial-Poisson (fixed m)",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
