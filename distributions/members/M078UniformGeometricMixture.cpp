// SPDX-License-Identifier: GPL-3.0-or-later
// Member 78: uniform distribution on 0..v-1 mixed over a geometric v = 1, 2, ...
//   P(x) = sum_{v>x} t (1 - t)^{v-1} / v,  x = 0, 1, ...;  P(0) = -t ln t / (1 - t);  t in
//   (0, 1). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/GleichverteilungsMischung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  E[0] = 2 * M / (2 * M + 1);
  E[1] = 1 - E[0];
  E[2] = 5 * M / (6 * in.stat.m2 - M);
}

constexpr Alternative kAlternativen[] = {{{1, 2}}};

// Below this share of P(0) the mass beyond the last class is summed term by term: taken as
// P(0) minus the classes below it, it would keep too few digits.
inline constexpr double kRestAnteil = 1e-4;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double t = par[0];
  const std::uint32_t L = in.stat.n;
  const double p0 = -t * std::log(t) / (1 - t);
  const gleichverteilungsmischung::Terme terme{
      t, [&](double v, double r) { return r * (1 - t) * (v - 1) / v; }};
  const double rL = gleichverteilungsmischung::TermeBisL(NP, L, terme);
  Summe unten = 0;
  for (std::uint32_t i = 0; i < L; ++i) unten += NP[i];
  Summe rest = static_cast<Summe>(p0) - unten;
  if (L > 0 && rest < kRestAnteil * p0)
    rest = gleichverteilungsmischung::UnendlicherRest(L, L, rL, terme);
  gleichverteilungsmischung::KlassenVonOben(NP, L, in.stat.summe, 1, rest);
}

}  // namespace

// clang-format off
const Member kM078UniformGeometricMixture{.nummer = 78, .name = "Uniform-geometric mixture",
    .parZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
