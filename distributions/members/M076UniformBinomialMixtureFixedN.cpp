// SPDX-License-Identifier: GPL-3.0-or-later
// Member 76: uniform distribution on 0..v-1 mixed over a zero-truncated binomial v with a given
// number of trials.
//   P(x) = sum_{v=x+1}^{Int(n)} Bin(v; n, p)/v / (1 - (1 - p)^n),  x = 0..Int(n) - 1;  n >= 1
//   fixed, p in (0, 1). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GleichverteilungsMischung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = Anfangsklassen(in.f, in.stat.n);
  const double n = in.eig.festparameter[0];
  E[0] = std::fabs(2 * (f1 - f2 + 0.1) / ((f0 - f1) * (n - 1) + 2 * (f1 - f2) + 0.1));
  if (!(E[0] > 0 && E[0] < 1)) E[0] = 0.1;
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const double n = in.eig.festparameter[0];
  gleichverteilungsmischung::BinomialKlassen(NP, in.stat.n, in.stat.summe, n, p);
}

}  // namespace

// clang-format off
const Member kM076UniformBinomialMixtureFixedN{.nummer = 76,
    .name = "Uniform-binomial mixture (fixed n)", .parZahl = 1, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
