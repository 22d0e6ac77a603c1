// SPDX-License-Identifier: GPL-3.0-or-later
// Member 208: Sibuya distribution right-truncated at the last class.
//   P(x) proportional to a Gamma(x - a) / (Gamma(1 - a) x!),  x = 1..L + 1;  0 < a < 1. Class i
//   holds the value i + 1: q[0] = a, q[i] = q[i-1] (i - a)/(i + 1); every class, the last
//   included, by the normalised formula.
#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The first two frequency ratios: q[1]/q[0] = (1 - a)/2, q[2]/q[1] = (2 - a)/3.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = Anfangsklassen(in.f, in.stat.n);
  E[0] = 1 - 2 * f1 / f0;
  E[1] = 2 - 3 * f2 / f1;
}

// Alt 1: E[0]; Alt 2: E[1].
constexpr Alternative kAlternativen[] = {{{0}}, {{1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  NormierteTerme(
      NP, L, L, in.stat.summe, a,
      [&](double i, double vorher) { return vorher * (i - a) / (i + 1); }, Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM208SibuyaRightTruncated{.nummer = 208, .name = "Sibuya (right-truncated)",
    .parZahl = 1, .rest = Restregel::kKeine, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
