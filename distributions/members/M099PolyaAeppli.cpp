// SPDX-License-Identifier: GPL-3.0-or-later
// Member 99: Pólya-Aeppli (geometric Poisson) distribution.
//   A Poisson(a) number of summands, each geometric on 1, 2, ... with success probability b;
//   pgf exp(a (b s / (1 - c s) - 1)), c = 1 - b;  a > 0, 0 < b < 1. Computed by
//   P(0) = e^-a, P(1) = a b P(0), i P(i) = (2c(i - 1) + a b) P(i-1) - c^2 (i - 2) P(i-2);
//   the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double M = in.stat.m1x0;
  const double N = in.stat.summe;
  // Mean a/b and variance a(2 - b)/b^2.
  E[0] = 2 * M * M / (M + in.stat.m2);
  E[1] = -std::log(g[0] / N);
  E[50] = E[0] / M;
  E[51] = g[1] / (E[0] * g[0]);
  double nenner = E[0] - 2;
  if (nenner == 0) nenner = 0.1;
  E[52] = 2 * (g[1] - g[0]) / (g[0] * nenner);
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}}, {{1}, {51}}, {{1}, {52}}, {{0, 1}, Betrag({50, 51, 52})}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double c = 1 - b;
  const double N = in.stat.summe;
  // The recurrence runs in extended precision, whose range keeps e^-a representable up to a of
  // about 11000 (in double it is 0 from about 745 on, and with it every class).
  long double vorher = N * std::exp(-static_cast<long double>(a));
  long double vorvorher = 0;
  RekursionMitRest(NP, in.stat.n, N, static_cast<double>(vorher), [&](double i, double) {
    const long double neu =
        i == 1 ? a * b * vorher
               : ((2 * c * (i - 1) + a * b) * vorher - c * c * (i - 2) * vorvorher) / i;
    vorvorher = vorher;
    vorher = neu;
    return static_cast<double>(neu);
  });
}

}  // namespace

// clang-format off
const Member kM099PolyaAeppli{.nummer = 99, .name = "Polya-Aeppli", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
