// SPDX-License-Identifier: GPL-3.0-or-later
// Member 206: harmonic distribution on 1..k.
//   P(x) = 1/(x psi_k) for x = 1..k, 0 beyond;  psi_k = 1 + 1/2 + ... + 1/k,  k = Int(a + 0.5) >=
//   1; class i holds the value i + 1. Every class, the last included, takes its own probability (no
//   tail), so the classes sum to N only when the data reach k; the classes beyond k are 0, since
//   1/(x psi_k) there would add mass the law does not have.
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
  const double psi = Digamma(static_cast<std::int32_t>(k) + 1) + 0.577215664;
  // k = 0 (a below 0.5) has no harmonic number: the first class, N / 0, raises the division
  // fault.
  NP[0] = N / psi;
  for (std::uint32_t i = 1; i <= in.stat.n; ++i) NP[i] = i < k ? N / ((i + 1) * psi) : 0.0;
}

}  // namespace

// clang-format off
const Member kM206HarmonicUpToK{.nummer = 206, .name = "Harmonic", .parZahl = 1,
    .rest = Restregel::kKeine, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
