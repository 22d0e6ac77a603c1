// SPDX-License-Identifier: GPL-3.0-or-later
// Member 134: mixture of two logarithmic distributions on 1, 2, ...
//   P(x) = w Lg(x; theta1) + (1 - w) Lg(x; theta2),  Lg(x; t) = -t^x/(x ln(1 - t));
//   0 < theta1, theta2, w < 1. The data start at the value 1; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/ZweiKomponenten.h"

namespace vk::members {

namespace {

namespace zk = zweikomponenten;

// One start: EM (tolerance 0.001) from the split start, the values at or below the mean and those
// above, each theta the one whose logarithmic mean is that part's mean, w the share of the first.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const zk::Daten d = zk::Lesen(in, true);
  const zk::Start mitte = zk::AmMittelGeteilt(d);
  const zk::Start geteilt{zk::LogarithmischAusMittel(mitte.a), zk::LogarithmischAusMittel(mitte.b),
                          zk::InsIntervall(mitte.w)};
  const auto logP = [&](double t, std::uint32_t i) { return zk::LogLogarithmisch(d, t, i); };
  zk::Eintragen(
      E, 1,
      zk::EM(d, geteilt, 1e-3, logP, logP, zk::LogarithmischAusMittel, zk::LogarithmischAusMittel));
}

constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}}};

// ln(1 - theta) as log1p(-theta): the same number where 1 - theta is exact, without its rounding
// for a small theta.
void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double w = par[2];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  voninnen::Leeren(NP, L);
  zk::LogarithmischAddieren(NP, in.x, L, N * w, par[0], std::log1p(-par[0]));
  zk::LogarithmischAddieren(NP, in.x, L, N * (1 - w), par[1], std::log1p(-par[1]));
  zk::Rest(NP, L, N);
}

}  // namespace

// clang-format off
const Member kM134LogarithmicMixture{.nummer = 134, .name = "Mixture of two logarithmics",
    .parZahl = 3, .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
