// SPDX-License-Identifier: GPL-3.0-or-later
// Member 194: urn chain with success probabilities rising with the successes.
//   The number of successes in n trials, where after j successes the next trial succeeds with
//   h_j = (j a + p)/(j a + 1);  a >= 0, 0 < p < 1, n = F0. a = 0 is the binomial distribution.
//   Classes beyond Int(n) are 0; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/UrnKette.h"

namespace vk::members {

namespace {

// p from the zero class as for a binomial; a by Newton steps on the first ratio. A step that
// lands on a = 0 ends the steps: the next would divide by it.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto f = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double n = in.eig.festparameter[0];
  E[1] = 1 - std::pow(f[0] / in.stat.summe, 1 / n);
  E[50] = 0.1;
  for (int runde = 0; runde < 11 && E[50] != 0; ++runde) {
    E[0] = E[50];
    const double h = std::pow(E[0] + 1, -n);
    const double g = E[1] / (E[0] * (1 - E[1]));
    E[50] =
        E[0] - ((E[0] + 1) * g * (1 - h) - f[1] / f[0]) / (g * ((h - 1) / (E[0] * E[0]) + h * n));
    NichtNegativMachen(E[50]);
    if (std::fabs(E[0] - E[50]) < 0.0001) break;
  }
}

constexpr Alternative kAlternativen[] = {{{50}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double p = par[1];
  urnkette::Schreiben(
      in, in.eig.festparameter[0], 1 - p, [&](double j) { return (j * a + p) / (j * a + 1); }, NP);
}

}  // namespace

// clang-format off
const Member kM194UrnChain{.nummer = 194, .name = "Urn chain", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
