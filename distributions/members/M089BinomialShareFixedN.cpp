// SPDX-License-Identifier: GPL-3.0-or-later
// Member 89: binomial distribution with a share of class 1 moved to class 0, fixed n.
//   P(0) = Bin(0; n, p) + b Bin(1; n, p),  P(1) = (1 - b) Bin(1; n, p),  P(i) = Bin(i; n, p)
//   for i >= 2;  n = Int(F0) fixed (the largest value of the data), p in (0, 1), b in [0, 1).
//   The last class takes the remainder.
#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/BinomialAnteil.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The number of trials is a count: a whole number, and a negative or missing one fails.
double Versuche(const Eingaben& in) {
  return FaktorAnzahl(in.eig.festparameter[0]);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  binomialanteil::Schaetzen(in, Versuche(in), E);
}

// Alt 1: (E[0], E[50]); Alt 2: (E[2], E[52]); Alt 3: the means.
constexpr Alternative kAlternativen[] = {{{0}, {50}}, {{2}, {52}}, {{0, 2}, {50, 52}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  binomialanteil::Berechnen(NP, in.stat, Versuche(in), par[0], par[1]);
}

}  // namespace

// clang-format off
const Member kM089BinomialShareFixedN{.nummer = 89,
    .name = "Binomial with a share of one moved to zero (fixed n)", .parZahl = 2,
    .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
