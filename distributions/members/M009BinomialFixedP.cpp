// SPDX-License-Identifier: GPL-3.0-or-later
// Member 9: binomial distribution with a given probability, the number of trials estimated.
//   P(i) = C(n, i) p^i (1 - p)^(n - i),  i = 0..n;  p fixed (F0), n a natural number of at least
//   the last class index L (raised to it when smaller). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Binomial.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double F0 = in.eig.festparameter[0];
  const double f0 = in.f[0];
  E[0] = static_cast<double>(in.stat.n);
  E[50] = F0;
  // (1 - p)^n = f[0]/N solved for n.
  E[1] = (f0 > 1e-6) ? std::log(f0 / in.stat.summe) / std::log(std::fabs(1 - F0)) : E[0];
}

constexpr Alternative kAlternativen[] = {{{0}}, {{1}}, {{0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const std::uint32_t L = in.stat.n;
  if (par[0] < static_cast<double>(L)) par[0] = static_cast<double>(L);
  binomial::Berechnen(NP, in.stat, par[0], in.eig.festparameter[0]);
}

}  // namespace

// clang-format off
const Member kM009BinomialFixedP{.nummer = 9, .name = "Binomial (fixed p)", .parZahl = 1,
    .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
