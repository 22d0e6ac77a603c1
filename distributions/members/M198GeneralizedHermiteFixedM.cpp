// SPDX-License-Identifier: GPL-3.0-or-later
// Member 198: generalized Hermite distribution with m fixed.
//   G(s) = exp(a (s - 1) + b (s^m - 1)),  a > 0, b > 0, m = Int(F0) = 1, 2, ... given;
//   i P(i) = a P(i-1) + b m P(i-m), P(0) = e^-(a+b); the last class takes the remainder.
#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/VerallgemeinerteHermite.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  hermite::ErsteSchaetzungen(in, E);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  hermite::Erwartungswerte(in, par[0], par[1], in.eig.festparameter[0], NP);
}

}  // namespace

// clang-format off
const Member kM198GeneralizedHermiteFixedM{.nummer = 198, .name = "Generalized Hermite (fixed m)",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
