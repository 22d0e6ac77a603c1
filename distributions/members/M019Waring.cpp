// SPDX-License-Identifier: GPL-3.0-or-later
// Member 19: Waring distribution.
//   P(i) = rho (alpha)_i / (rho + alpha)_(i+1),  i = 0, 1, 2, ...;  rho > 0, alpha > 0; (a)_i the
//   rising factorial. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/Waring.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  waring::Startwerte(in, ErsetzteAnfangsklassen(in.f, in.stat.n), E);
}

constexpr Alternative kAlternativen[] = {{{1}, {0}}, {{51}, {50}}, {{1, 51}, {0, 50}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double rho = par[0];
  const double alpha = par[1];
  const double N = in.stat.summe;
  RekursionMitRest(NP, in.stat.n, N, N * (rho / (rho + alpha)), [&](double i, double vorher) {
    return vorher * (i + alpha - 1) / (rho + alpha + i);
  });
}

}  // namespace

// clang-format off
const Member kM019Waring{.nummer = 19, .name = "Waring", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
