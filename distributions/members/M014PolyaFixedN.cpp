// SPDX-License-Identifier: GPL-3.0-or-later
// Member 14: Polya (Polya-Eggenberger urn) distribution with a given n.
//   P(i) = C(n, i) prod_{j<i} (p + j s) prod_{j<n-i} (1 - p + j s) / prod_{j<n} (1 + j s),
//   i = 0..n;  n fixed (F0), s >= 0, p in (0, 1); the beta-binomial with alpha = p/s and
//   beta = (1 - p)/s, the binomial at s = 0. The last class is N minus the others (without an
//   absolute value).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/Polya.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  polya::Schaetzer(in.stat, in.f, in.eig.festparameter[0], E);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{50}, {1}}, {{0, 50}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double s = par[0];
  const double p = par[1];
  const double n = in.eig.festparameter[0];
  // P(0) starts from the factor j = 0 written out, so that n below 1 still gives 1 - p.
  const double p0 = polya::NullProdukt(in, 1 - p, s, p, 1, FaktorAnzahl(n));
  polya::Berechnen(NP, in, s, p, n, p0, 1 - p, 1, FaktorAnzahl(n));
}

}  // namespace

// clang-format off
const Member kM014PolyaFixedN{.nummer = 14, .name = "Polya (fixed n)", .parZahl = 2,
    .festparZahl = 1, .rest = Restregel::kOhneBetrag, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
