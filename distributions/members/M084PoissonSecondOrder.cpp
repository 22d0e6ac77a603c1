// SPDX-License-Identifier: GPL-3.0-or-later
// Member 84: Poisson distribution with a second-order correction.
//   P(j) = Pois(j; a) (1 + b ((j - a)^2 - j) / (2 a^2)),  j = 0, 1, 2, ...;  a > 0, b real.
//   The correction keeps the mean at a and moves the variance to a + b. The last class takes
//   the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/PoissonTerme.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  E[0] = in.stat.m1;
  E[1] = std::fabs(in.stat.m2 - in.stat.m1);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  poissonterme::Schreiben(NP, L, N, a);
  Summe summe = 0;
  for (std::uint32_t j = 0; j < L; ++j) {
    const double dj = j;
    const double klammer = 1 + b * (dj * dj - (2 * a + 1) * dj + a * a) / (2 * a * a);
    // A correction beyond the Poisson term itself would give a negative probability: the
    // parameters describe no distribution there.
    if (klammer < 0) RaiseInvalid();
    NP[j] *= klammer;
    summe += NP[j];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM084PoissonSecondOrder{.nummer = 84, .name = "Poisson with second-order correction",
    .parZahl = 2, .traeger = Traeger::kNull, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
