// SPDX-License-Identifier: GPL-3.0-or-later
// Member 133: mixture of two Poisson distributions.
//   P(i) = w Po(i; a) + (1 - w) Po(i; b);  a, b > 0, 0 < w < 1. The last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/ZweiKomponenten.h"

namespace vk::members {

namespace {

namespace zk = zweikomponenten;

// Three starts for (a, b, w), in slots k - 1, 50 + k - 1, 100 + k - 1 of alternative k:
//   1: EM (tolerance 0.0001) from the two-point solution of the factorial moments,
//      E[X(X-1)...(X-r+1)] = w a^r + (1 - w) b^r for r = 1, 2, 3, or from the split start where
//      they allow no such pair;
//   2: EM from the split start: the means of the classes at or below the mean and above it, w the
//      share of the first;
//   3: the moment start itself (the split start where there is none).
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const zk::Daten d = zk::Lesen(in, false);
  const auto fm = zk::FaktorielleMomente(d);
  const zk::Start mitte = zk::AmMittelGeteilt(d);
  const zk::Start geteilt{zk::Positiv(mitte.a), zk::Positiv(mitte.b), zk::InsIntervall(mitte.w)};
  zk::Start momente = geteilt;
  const auto punkte = zk::ZweiPunkte(fm[0], fm[1], fm[2], std::numeric_limits<double>::infinity());
  if (punkte)
    momente = {zk::Positiv(punkte->a), zk::Positiv(punkte->b), zk::InsIntervall(punkte->w)};
  const auto logP = [&](double a, std::uint32_t i) { return zk::LogPoisson(d, a, i); };
  const auto em = [&](zk::Start s) {
    return zk::EM(d, s, 1e-4, logP, logP, zk::Positiv, zk::Positiv);
  };
  zk::Eintragen(E, 1, em(momente));
  zk::Eintragen(E, 2, em(geteilt));
  zk::Eintragen(E, 3, momente);
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}, {100}}, {{1}, {51}, {101}}, {{2}, {52}, {102}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double w = par[2];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  voninnen::Leeren(NP, L);
  zk::PoissonAddieren(NP, L, N * w, par[0]);
  zk::PoissonAddieren(NP, L, N * (1 - w), par[1]);
  zk::Rest(NP, L, N);
}

}  // namespace

// clang-format off
const Member kM133PoissonMixture{.nummer = 133, .name = "Mixture of two Poissons", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
