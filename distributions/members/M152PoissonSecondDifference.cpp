// SPDX-License-Identifier: GPL-3.0-or-later
// Member 152: Poisson distribution with a second-difference correction.
//   P(0) = Po(0), P(1) = Po(1) - b Po(0), P(i) = Po(i) - b Po(i-1) + b Po(i-2) for i >= 2,
//   Po(i) = e^-a a^i / i!;  a > 0, 0 < b < 4a^2/(a + 1)^2. A b at or above the bound becomes the
//   bound minus 0.01, written back; where that is not above 0 (a bound up to 0.01, a below about
//   0.053) it would leave b negative and classes below 0, so there b becomes half the bound. The
//   last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PoissonTerme.h"

namespace vk::members {

namespace {

// How far below its bound a capped b is put.
inline constexpr double kAbstand = 0.01;

// b at or above the bound, put below it, never below 0.
double Gekappt(double b, double grenze) {
  if (!(b >= grenze)) return b;
  return grenze > kAbstand ? grenze - kAbstand : grenze / 2;
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  E[0] = -std::log(g[0] / in.stat.summe);
  const double grenze = 4 * E[0] * E[0] / ((E[0] + 1) * (E[0] + 1));
  E[1] = std::fabs(E[0] - g[1] / g[0]);
  E[50] = M - E[1];
  const double u = g[1] / g[0] + M;
  E[51] = std::fabs((g[2] / g[0] - u * u / 8) / (1 - u / 2));
  E[1] = Gekappt(E[1], grenze);
  E[51] = Gekappt(E[51], grenze);
  E[100] = E[1] * (E[1] * E[1] - 3) + m2;
  E[2] = E[1];
  for (int runde = 0; runde < 6; ++runde) {
    E[52] = E[2];
    E[2] = std::fabs((m2 - M + E[52] * E[52]) / 2);
    if (std::fabs(E[2] - E[52]) < 0.0001) break;
  }
  E[102] = E[2] + g[1] / g[0];
}

constexpr Alternative kAlternativen[] = {
    {{0}, {1}}, {{50}, {51}}, {{0, 50}, {1, 51}}, {{100}, {1}}, {{102}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double grenze = 4 * a * a / ((a + 1) * (a + 1));
  par[1] = Gekappt(par[1], grenze);
  const double b = par[1];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  // N Po(i) first (started at the mode where e^-a underflows), then each class corrected from
  // the top down, so that the Poisson terms it reads are still unchanged.
  poissonterme::Schreiben(NP, L, N, a);
  for (std::uint32_t i = L; i-- > 0;) {
    if (i >= 2) {
      NP[i] = NP[i] - b * NP[i - 1] + b * NP[i - 2];
    } else if (i == 1) {
      NP[i] = NP[i] - b * NP[0];
    }
  }
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) summe += NP[i];
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM152PoissonSecondDifference{.nummer = 152, .name = "Poisson second-difference",
    .parZahl = 2, .traeger = Traeger::kNull, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
