// SPDX-License-Identifier: GPL-3.0-or-later
// Member 170: Conway-Maxwell-Poisson distribution.
//   P(i) = lambda^i / (i!)^nu / Z,  Z = sum_{j>=0} lambda^j / (j!)^nu,  i = 0, 1, 2, ...;
//   lambda > 0, nu >= 0 (nu = 1: Poisson; nu = 0, lambda < 1: geometric with ratio lambda).
//   The normaliser sums the L + 101 terms r[0..L+100] and on while a term still changes it: near
//   nu = 0 with lambda near 1 the terms fall so slowly that L + 100 of them leave most of the
//   mass out.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  // f[1]/f[0] = lambda and f[1]^2/(f[0] f[2]) = 2^nu.
  E[0] = g[1] / g[0];
  E[1] = std::log(g[1] * g[1] / (g[0] * g[2])) / std::log(2.0);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double lambda = par[0];
  const double nu = par[1];
  NormierteTermeBisKonvergenz(NP, in.stat.n, in.stat.summe, 1, [&](double i, double vorher) {
    return vorher * lambda / std::pow(i, nu);
  });
}

}  // namespace

// clang-format off
const Member kM170ConwayMaxwellPoisson{.nummer = 170, .name = "Conway-Maxwell-Poisson",
    .parZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
