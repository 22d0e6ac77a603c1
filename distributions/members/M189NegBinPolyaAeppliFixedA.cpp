// SPDX-License-Identifier: GPL-3.0-or-later
// Member 189: member 188 with the Poisson mean a fixed.
//   pgf g(s)^b exp(a (g(s) - 1)), g(s) = theta/(1 - (1 - theta) s);  b > 0, 0 < theta < 1,
//   a = F0. The last class takes the remainder.
#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/NegBinPoissonGeometrisch.h"

namespace vk::members {

namespace {

constexpr Alternative kAlternativen[] = {{{51}, {52}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  nbpoissongeometrisch::Schreiben(in, in.eig.festparameter[0], par[0], par[1], NP);
}

}  // namespace

// clang-format off
const Member kM189NegBinPolyaAeppliFixedA{.nummer = 189,
    .name = "Negative binomial - Polya-Aeppli (fixed a)", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = nbpoissongeometrisch::Iteration, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
