// SPDX-License-Identifier: GPL-3.0-or-later
// Member 206: harmonic distribution on 1..k.
//   P(x) = 1/(x psi_k),  psi_k = 1 + 1/2 + ... + 1/k,  k = Int(a + 0.5) >= 1;  class i holds the
//   value i + 1. Every class, the last included and those beyond k too, takes the formula, so
//   the classes sum to N only when the data end at k.
#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  E[0] = in.x[in.stat.n];
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  const std::uint32_t k = FaktorAnzahl(KaufmaennischRunden(a));
  // k = 0 (a below 0.5) has no harmonic number: N / 0 raises the division fault.
  const double psi = Digamma(static_cast<std::int32_t>(k) + 1) + 0.577215664;
  for (std::uint32_t i = 0; i <= in.stat.n; ++i) NP[i] = N / ((i + 1) * psi);
}

}  // namespace

// clang-format off
const Member kM206HarmonicUpToK{.nummer = 206, .name = "Harmonic", .parZahl = 1,
    .rest = Restregel::kKeine, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
