// SPDX-License-Identifier: GPL-3.0-or-later
// Member 80: uniform distribution on 0..v-1 mixed over a zero-truncated negative binomial v.
//   P(x) = sum_{v>x} NB(v; s, p)/v / (1 - p^s),  NB(v; s, p) = C(s + v - 1, v) p^s (1 - p)^v,
//   x = 0, 1, ...;  s > 0, p in (0, 1). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GleichverteilungsMischung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double M = in.stat.m1x0;
  E[0] = (f2 - f1) / (f1 - f0);
  E[1] = (6 * (M * M + in.stat.m2) - 1) / (2 * M + 1);
}

// The start is computed from both slots, not taken from them.
void AlternativeWaehlen(const Eingaben&, std::uint32_t, const Schaetzwerttabelle& E,
                        Parametervektor& par) {
  const double s = std::fabs((E[1] + 1 - 2 * E[0] * (E[1] + 3)) / (4 * E[0] - E[1] - 1));
  par[0] = s;
  par[1] = std::fabs(1 - (E[1] + 1) / (E[1] + 2 * s + 3));
}

// The series of the mixing terms runs at least this far beyond the last class, and on while a
// term still counts (a p near 0 leaves a long tail).
inline constexpr std::uint32_t kMindestTerme = 100;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double s = par[0];
  const double p = par[1];
  const std::uint32_t L = in.stat.n;
  const double D = -std::expm1(s * std::log(p));
  const gleichverteilungsmischung::Terme t{s * std::pow(p, s) * (1 - p), [&](double j, double r) {
                                             return r * (j + s - 1) * (1 - p) * (j - 1) / (j * j);
                                           }};
  // Where s p^s (1 - p) is subnormal (a large s) the terms start from the largest one and are
  // scaled by the normaliser.
  const Summe rest =
      gleichverteilungsmischung::TermeMitRestNormiert(NP, L, L + kMindestTerme, t, D);
  gleichverteilungsmischung::KlassenVonOben(NP, L, in.stat.summe, D, rest);
}

}  // namespace

// clang-format off
const Member kM080UniformNegativeBinomialMixture{.nummer = 80,
    .name = "Uniform-negative binomial mixture", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternative = AlternativeWaehlen,
    .alternativenZahl = 1, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
