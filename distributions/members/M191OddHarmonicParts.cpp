// SPDX-License-Identifier: GPL-3.0-or-later
// Member 191: differences of integer parts of 2a over odd numbers.
//   P(x) = (Int(2a/(2x - 1)) - Int(2a/(2x + 1)))/(2a),  x = 1, 2, ... (the class values);
//   a > 0. The differences telescope to Int(2a)/(2a); the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The fixed starts a = 5, 10, 15, 20, 25.
void SchaetzwerteBerechnen(const Eingaben&, Schaetzwerttabelle& E) {
  for (int s = 0; s < 5; ++s) E[s] = 5.0 * (s + 1);
}

constexpr Alternative kAlternativen[] = {{{0}}, {{1}}, {{2}}, {{3}}, {{4}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a2 = 2 * par[0];
  const double N = in.stat.summe;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    const double x = in.x[i];
    return N * (std::trunc(a2 / (2 * x - 1)) - std::trunc(a2 / (2 * x + 1))) / a2;
  });
}

}  // namespace

// clang-format off
const Member kM191OddHarmonicParts{.nummer = 191, .name = "Odd harmonic integer parts",
    .parZahl = 1, .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
