// SPDX-License-Identifier: GPL-3.0-or-later
// Member 197: generalized Hermite distribution.
//   G(s) = exp(a (s - 1) + b (s^k - 1)),  a > 0, b > 0, k = Int(m), m >= 1: a Poisson(a) count
//   plus k times a Poisson(b) count. k = 1 is the Poisson distribution with mean a + b.
//   i P(i) = a P(i-1) + b k P(i-k), P(0) = e^-(a+b); the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/VerallgemeinerteHermite.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  hermite::ErsteSchaetzungen(in, E);
  // The mean is a + b k; the 0.5 makes Int(m) round.
  E[2] = (in.stat.m1x0 - E[0]) / E[1] + 0.5;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  hermite::Erwartungswerte(in, par[0], par[1], par[2], NP);
}

}  // namespace

// clang-format off
const Member kM197GeneralizedHermite{.nummer = 197, .name = "Generalized Hermite", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
