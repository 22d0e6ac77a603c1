// SPDX-License-Identifier: GPL-3.0-or-later
// Member 15: Polya (Polya-Eggenberger urn) distribution with n estimated.
//   P(i) = C(n, i) prod_{j<i} (p + j s) prod_{j<n-i} (1 - p + j s) / prod_{j<n} (1 + j s),
//   i = 0..n;  s >= 0, p in (0, 1), n a natural number (below 1 raised to 1). The last class is
//   N minus the others (without an absolute value).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/Polya.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  E[2] = static_cast<double>(in.x[in.stat.n]) - static_cast<double>(in.x[0]) + 1;
  polya::Schaetzer(in.stat, in.f, E[2], E);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}, {{50}, {1}, {2}}, {{0, 50}, {1}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[2] < 1) par[2] = 1;
  const double s = par[0];
  const double p = par[1];
  const double n = par[2];
  const double p0 = polya::NullProdukt(in, 1, s, p, 0, FaktorAnzahl(n));
  polya::Berechnen(NP, in, s, p, n, p0, 1, 0, FaktorAnzahl(n));
}

}  // namespace

// clang-format off
const Member kM015Polya{.nummer = 15, .name = "Polya", .parZahl = 3, .rest = Restregel::kOhneBetrag,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
