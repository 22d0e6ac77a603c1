// SPDX-License-Identifier: GPL-3.0-or-later
// Member 10: zero-truncated (positive) Poisson distribution.
//   P(v) = a^v / (v! (e^a - 1)),  v = 1, 2, 3, ...;  a > 0. Class i holds the value v = i + 1;
//   the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const double m1 = in.stat.m1;
  E[51] = m1 - f[0] / in.stat.summe;
  E[50] = (m1 * m1 + in.stat.m2) / m1 - 1;
}

constexpr Alternative kAlternativen[] = {{{50, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  RekursionMitRest(NP, in.stat.n, N, N * (a / (std::exp(a) - 1)),
                   [&](double i, double vorher) { return vorher * a / (i + 1); });
}

}  // namespace

// clang-format off
const Member kM010PositivePoisson{.nummer = 10, .name = "Positive Poisson", .parZahl = 1,
    .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
