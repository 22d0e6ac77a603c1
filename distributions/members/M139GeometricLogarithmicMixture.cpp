// SPDX-License-Identifier: GPL-3.0-or-later
// Member 139: mixture of a geometric and a logarithmic distribution on 1, 2, ...
//   P(x) = w (1 - a) a^(x-1) + (1 - w) Lg(x; theta),  Lg(x; t) = -t^x/(x ln|1 - t|);
//   0 < a, theta, w < 1. The data start at the value 1 (class i holds x = i + 1); the last class
//   takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/ZweiKomponenten.h"

namespace vk::members {

namespace {

namespace zk = zweikomponenten;

// The geometric on 1, 2, ... with the mean m has a = 1 - 1/m.
double GeometrischAusMittel(double m) {
  return zk::InsIntervall(1 - 1 / m);
}

// One start: EM (tolerance 0.0001) from the values split at their mean, the geometric taking the
// part at or below it and the logarithmic the part above, each from its part's mean, w the share
// of the first.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const zk::Daten d = zk::Lesen(in, true);
  const zk::Start mitte = zk::AmMittelGeteilt(d);
  const zk::Start geteilt{GeometrischAusMittel(mitte.a), zk::LogarithmischAusMittel(mitte.b),
                          zk::InsIntervall(mitte.w)};
  const auto logGe = [&](double a, std::uint32_t i) { return zk::LogGeometrisch(a, d.v[i] - 1); };
  const auto logLg = [&](double t, std::uint32_t i) { return zk::LogLogarithmisch(d, t, i); };
  zk::Eintragen(
      E, 1,
      zk::EM(d, geteilt, 1e-4, logGe, logLg, GeometrischAusMittel, zk::LogarithmischAusMittel));
}

constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}}};

// ln|1 - theta| as log1p(-theta) below 1: the same number where 1 - theta is exact, without its
// rounding for a small theta.
void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double theta = par[1];
  const double w = par[2];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const double logGegen = theta < 1 ? std::log1p(-theta) : std::log(theta - 1);
  voninnen::Leeren(NP, L);
  zk::GeometrischAddieren(NP, L, N * w, par[0]);
  zk::LogarithmischAddieren(NP, in.x, L, N * (1 - w), theta, logGegen);
  zk::Rest(NP, L, N);
}

}  // namespace

// clang-format off
const Member kM139GeometricLogarithmicMixture{.nummer = 139,
    .name = "Mixture of a geometric and a logarithmic", .parZahl = 3, .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
