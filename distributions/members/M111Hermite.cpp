// SPDX-License-Identifier: GPL-3.0-or-later
// Member 111: Hermite distribution.
//   G(s) = exp(a1 (s - 1) + a2 (s^2 - 1)),  a1 = a (1 - b),  a2 = a b;  a > 0, 0 < b < 1:
//   P(0) = e^-a, P(1) = a (1 - b) e^-a, i P(i) = a1 P(i-1) + 2 a2 P(i-2). The last class takes
//   the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// Least squares for i f[i] = a1 f[i-1] + 2 a2 f[i-2] over the classes 2..L-1 (the last class
// is a remainder); returns false where the normal equations are singular or give no a > 0.
bool KleinsteQuadrate(const KlassenHaeufigkeiten& f, std::uint32_t L, double& a, double& b) {
  Summe s11 = 0, s12 = 0, s22 = 0, s1y = 0, s2y = 0;
  for (std::uint32_t i = 2; i < L; ++i) {
    const double u = f[i - 1], v = f[i - 2], y = i * f[i];
    s11 += u * u;
    s12 += u * v;
    s22 += v * v;
    s1y += u * y;
    s2y += v * y;
  }
  const Summe det = s11 * s22 - s12 * s12;
  if (!(det > 0)) return false;
  const double a1 = static_cast<double>((s1y * s22 - s2y * s12) / det);
  const double a2 = static_cast<double>((s2y * s11 - s1y * s12) / det) / 2;
  a = a1 + a2;
  if (!(a > 0)) return false;
  b = a2 / a;
  return true;
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = -std::log(g[0] / in.stat.summe);
  E[50] = std::fabs(1 - g[1] / (E[0] * g[0]));
  // The mean is a (1 + b).
  E[51] = std::fabs(in.stat.m1 / E[0] - 1);
  if (!KleinsteQuadrate(in.f, in.stat.n, E[2], E[53])) {
    E[2] = E[0];
    E[53] = E[51];
  }
  // The fixed starts of b for alternatives 5 to 7.
  E[54] = 0.1;
  E[55] = 0.2;
  E[56] = 0.3;
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}}, {{2}, {51}}, {{0, 2}, {53}}, {{0, 2}, {50, 51, 53}},
    {{0}, {54}}, {{0}, {55}}, {{0}, {56}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  // The recurrence runs in extended precision, whose range keeps e^-a representable up to a of
  // about 11000 (in double it is 0 from about 745 on, and with it every class).
  long double vorher = N * std::exp(-static_cast<long double>(a));
  long double vorvorher = 0;
  RekursionMitRest(NP, in.stat.n, N, static_cast<double>(vorher), [&](double i, double) {
    const long double neu = ((1 - b) * a * vorher + 2 * a * b * vorvorher) / i;
    vorvorher = vorher;
    vorher = neu;
    return static_cast<double>(neu);
  });
}

}  // namespace

// clang-format off
const Member kM111Hermite{.nummer = 111, .name = "Hermite", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
