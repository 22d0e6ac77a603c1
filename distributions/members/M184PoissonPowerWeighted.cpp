// SPDX-License-Identifier: GPL-3.0-or-later
// Member 184: Poisson terms weighted by a power of the shifted index.
//   P(i) proportional to a^i / (i! (i + b + 1)^c),  i = 0..L + 1 (the normaliser covers the
//   classes and two terms beyond the last class index L);  a > 0, b >= -1 (b = -1 makes the first
//   term a pole for c > 0, a failed evaluation), c real; c = 0 is the Poisson distribution cut
//   after L + 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GewichtetePoisson.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// Three starts: the Poisson (c = 0) by the mean; and for b = 0, c = 1, where P(i) is the
// zero-truncated Poisson shifted down by one, a by the ratio regression of
// f[i+1] = a f[i]/(i + 2) and a from the mean a/(1 - e^-a) - 1.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  E[0] = M;
  E[50] = 0;
  E[100] = 0;
  E[1] = VerhaeltnisRegression(in.f, in.stat.n, [](std::uint32_t i) { return i + 2.0; });
  E[51] = 0;
  E[101] = 1;
  double a = M + 1;
  for (int runde = 0; runde < 100; ++runde) {
    const double neu = (M + 1) * -std::expm1(-a);
    const bool fertig = std::fabs(neu - a) < 1e-12 * (1 + a);
    a = neu;
    if (fertig) break;
  }
  E[2] = a;
  E[52] = 0;
  E[102] = 1;
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}, {100}}, {{1}, {51}, {101}}, {{2}, {52}, {102}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const long double a = par[0];
  const long double b = par[1];
  const long double c = par[2];
  const std::uint32_t L = in.stat.n;
  // r[0] = |b + 1|^-c, r[i] = r[i-1] (|i + b|/(i + b + 1))^c a/i for i = 1..L + 1.
  gewichtetepoisson::NormierteTermeLang(NP, L, L + 1, in.stat.summe, std::pow(std::fabs(b + 1), -c),
                                        false, [&](std::uint32_t i, long double r) {
                                          return r * std::pow(std::fabs(i + b) / (i + b + 1), c) *
                                                 a / i;
                                        });
}

}  // namespace

// clang-format off
const Member kM184PoissonPowerWeighted{.nummer = 184, .name = "Poisson power-weighted",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
