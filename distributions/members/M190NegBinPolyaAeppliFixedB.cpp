// SPDX-License-Identifier: GPL-3.0-or-later
// Member 190: member 188 with the negative binomial exponent b fixed.
//   pgf g(s)^b exp(a (g(s) - 1)), g(s) = theta/(1 - (1 - theta) s);  a > 0, 0 < theta < 1,
//   b = F0. The last class takes the remainder.
#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/NegBinPoissonGeometrisch.h"

namespace vk::members {

namespace {

constexpr Alternative kAlternativen[] = {{{50}, {52}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  nbpoissongeometrisch::Schreiben(in, par[0], in.eig.festparameter[0], par[1], NP);
}

}  // namespace

// clang-format off
const Member kM190NegBinPolyaAeppliFixedB{.nummer = 190,
    .name = "Negative binomial - Polya-Aeppli (fixed b)", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = nbpoissongeometrisch::Iteration, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
