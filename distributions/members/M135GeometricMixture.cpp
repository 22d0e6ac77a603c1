// SPDX-License-Identifier: GPL-3.0-or-later
// Member 135: mixture of two geometric distributions on 0, 1, ...
//   P(i) = w (1 - a) a^i + (1 - w)(1 - b) b^i;  0 < a, b, w < 1. The last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/ZweiKomponenten.h"

namespace vk::members {

namespace {

namespace zk = zweikomponenten;

// A geometric component with the mean m has a = m/(1 + m).
double AusMittel(double m) {
  return zk::InsIntervall(m / (1 + m));
}

// One start: EM (tolerance 0.0001) from the split start, the classes at or below the mean and
// those above, a and b from their means, w the share of the first.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const zk::Daten d = zk::Lesen(in, false);
  const zk::Start mitte = zk::AmMittelGeteilt(d);
  const zk::Start geteilt{AusMittel(mitte.a), AusMittel(mitte.b), zk::InsIntervall(mitte.w)};
  const auto logP = [&](double a, std::uint32_t i) { return zk::LogGeometrisch(a, d.v[i]); };
  zk::Eintragen(E, 1, zk::EM(d, geteilt, 1e-4, logP, logP, AusMittel, AusMittel));
}

constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double w = par[2];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  voninnen::Leeren(NP, L);
  zk::GeometrischAddieren(NP, L, N * w, par[0]);
  zk::GeometrischAddieren(NP, L, N * (1 - w), par[1]);
  zk::Rest(NP, L, N);
}

}  // namespace

// clang-format off
const Member kM135GeometricMixture{.nummer = 135, .name = "Mixture of two geometrics",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
