// SPDX-License-Identifier: GPL-3.0-or-later
// Member 97: Poisson distribution mixed with its shift by m.
//   P(i) = (1 - b) Pois(i; a) + b Pois(i - m; a),  i = 0, 1, 2, ...;  m = Int(F0) fixed (a
//   whole number of at least 1), a > 0, b in (0, 1). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PoissonTerme.h"

namespace vk::members {

namespace {

std::uint32_t Verschiebung(const Eingaben& in) {
  return FaktorAnzahl(in.eig.festparameter[0]);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [g0, g1, g2, g3] = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double m = Verschiebung(in);
  E[0] = g1 / g0;
  E[50] = std::fabs(1 - std::exp(E[0]) * g0 / in.stat.summe);
  // The mean is a + b m; without a shift it says nothing about b.
  E[51] = m > 0 ? std::fabs((in.stat.m1 - E[0]) / m) : E[50];
}

// a = E[0] in all; b = E[50], E[51], (E[50] + E[51])/2.
constexpr Alternative kAlternativen[] = {{{0}, {50}}, {{0}, {51}}, {{0}, {50, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const std::uint32_t m = Verschiebung(in);
  // The Poisson terms first (from the mode where e^-a underflows), then mixed in place from the
  // top down, so that each class still finds the unmixed term m classes below it.
  poissonterme::Schreiben(NP, L, N, a);
  Summe summe = 0;
  for (std::uint32_t i = L; i-- > 0;) {
    NP[i] = (1 - b) * NP[i] + (i >= m ? b * NP[i - m] : 0.0);
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM097PoissonShiftMixture{.nummer = 97, .name = "Poisson mixed with its shift by m",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
