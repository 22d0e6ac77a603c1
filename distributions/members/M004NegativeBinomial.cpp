// SPDX-License-Identifier: GPL-3.0-or-later
// Member 4: negative binomial distribution.
//   P(i) = C(k + i - 1, i) p^k (1 - p)^i,  i = 0, 1, 2, ...;  k > 0, p in (0, 1). The last class
//   takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/NegativBinomial.h"

namespace vk::members {

namespace {

// The zero-frequency iteration for p stops on a change below this or after kRunden rounds.
inline constexpr double kToleranz = 0.001;
inline constexpr std::uint32_t kRunden = 11;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  E[0] = M / m2;
  if (E[0] >= 1) E[0] = 0.9;
  E[50] = (m2 == M) ? M * M / 0.1 : std::fabs(M * M / (m2 - M));
  E[51] = negativbinomial::KAusMittel(M, E[0]);

  // p^k = f~[0]/N with k = M p/(1 - p) solved for p by fixed-point steps.
  const double ln0 = std::log(ErsetzteAnfangsklassen(in.f, in.stat.n)[0] / in.stat.summe);
  double vorher = E[0];
  double p = E[0];
  for (std::uint32_t runde = 1;; ++runde) {
    vorher = p;
    p = ln0 * (1 - vorher) / (M * std::log(vorher));
    if (p >= 1) p = 0.9;
    if (std::fabs(p - vorher) < kToleranz || runde == kRunden) break;
  }
  E[101] = p;
  E[1] = vorher;
}

constexpr Alternative kAlternativen[] = {{{50}, {0}}, {{51}, {1}}, {{50, 51}, {0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  negativbinomial::Berechnen(NP, in.stat, par[0], par[1]);
}

}  // namespace

// clang-format off
const Member kM004NegativeBinomial{.nummer = 4, .name = "Negative binomial", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
