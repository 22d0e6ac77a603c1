// SPDX-License-Identifier: GPL-3.0-or-later
// Member 176: zero-inflated generalized Poisson distribution.
//   P(0) = w e^-a + 1 - w,  P(x) = w a (a + x b)^(x-1) e^(-a-xb) / x! for x >= 1;
//   a > 0, 0 <= b < 1, 0 < w < 1. The classes from 1 on are w times the generalized Poisson
//   classes of member 175, by the same ratio (and the same start at the largest class where
//   e^-a is below the normal range).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Lagrange.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double N = in.stat.summe;
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double v = (in.stat.m2 - M * M) / M;
  const double A = v - M;
  const double B = 2 * (M - v);
  const double C = v - M - 1;
  E[51] = (std::sqrt(std::fabs(B * B - 4 * A * C)) - B) / (2 * A);
  InEinheitsintervallKorrigieren(E[51]);
  E[50] = (1 - E[51]) * M;
  E[52] = 0.8;
  for (int runde = 0; runde < 50; ++runde) {
    E[0] = E[50];
    E[1] = E[51];
    E[2] = E[52];
    E[50] = std::fabs(std::log(std::fabs((E[2] + g[0] / N - 1) / E[2])));
    E[51] = std::fabs((std::exp(E[1]) * 2 * g[2] / g[1] - E[0]) / 2);
    E[52] = std::fabs((g[0] / N - 1) / (std::exp(-E[0]) - 1));
    InEinheitsintervallKorrigieren(E[50]);
    E[52] = (E[52] + E[2]) / 2;
    InEinheitsintervallKorrigieren(E[52]);
    if (E[51] >= 1) E[51] = 0.9;
    if (std::fabs(E[2] - E[52]) < 0.0001) break;
  }
}

constexpr Alternative kAlternativen[] = {{{50}, {51}, {52}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double w = par[2];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  if (L == 0) {
    NP[0] = N;
    return;
  }
  // The generalized Poisson classes, then the share w of them and the inflated first class.
  RekursionMitRestGeschuetzt(
      NP, L, N, std::exp(-a), [&] { return static_cast<Summe>(-a); },
      [&](double i, double vorher) { return vorher * lagrange::GpVerhaeltnis(a, b, i); });
  NP[0] = N * (w * std::exp(-a) + 1 - w);
  Summe summe = NP[0];
  for (std::uint32_t i = 1; i < L; ++i) {
    NP[i] *= w;
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM176ZeroInflatedGeneralizedPoisson{.nummer = 176,
    .name = "Zero-inflated generalized Poisson", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
