// SPDX-License-Identifier: GPL-3.0-or-later
// Member 79: uniform distribution on 0..v-1 mixed over a zero-truncated Poisson v.
//   P(x) = sum_{v>x} a^v / (v! v) / (e^a - 1),  x = 0, 1, ...;  a > 0. The last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/GleichverteilungsMischung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  E[0] = (M + 3 * (M * M + in.stat.m2)) / (2 * M + 1);
}

constexpr Alternative kAlternativen[] = {{{0}}};

// The series of the mixing terms runs at least this far beyond the last class, and on while a
// term still counts (a mean above L + 20 has most of its mass further out).
inline constexpr std::uint32_t kMindestTerme = 20;

// Up to this a the terms a^v/(v! v) and e^a - 1 are doubles; beyond it both are taken times
// e^-a, as the Poisson probabilities over v: the same classes without the overflow of e^a.
inline constexpr double kGrossesA = 700;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  const auto verhaeltnis = [&](double v, double r) { return r * a * (v - 1) / (v * v); };
  // e^{-a} sum r / (1 - e^{-a}) = sum r / (e^a - 1).
  const bool gross = a > kGrossesA;
  const double D = gross ? -std::expm1(-a) : std::expm1(a);
  const gleichverteilungsmischung::Terme t{gross ? a * std::exp(-a) : a, verhaeltnis};
  gleichverteilungsmischung::KlassenVonOben(
      NP, L, in.stat.summe, D,
      gleichverteilungsmischung::TermeMitRestNormiert(NP, L, L + kMindestTerme, t, D));
}

}  // namespace

// clang-format off
const Member kM079UniformPoissonMixture{.nummer = 79, .name = "Uniform-Poisson mixture",
    .parZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
