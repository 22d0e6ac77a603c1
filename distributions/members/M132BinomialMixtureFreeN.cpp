// SPDX-License-Identifier: GPL-3.0-or-later
// Member 132: mixture of two binomial distributions with a common number of trials n.
//   P(i) = w B(i; n, p) + (1 - w) B(i; n, q),  i = 0..n;  0 < p, q, w < 1, n a natural number.
//   The last class takes the remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/ZweiKomponenten.h"

namespace vk::members {

namespace {

namespace zk = zweikomponenten;

// n is searched upward from the last class index L (at least 3): the first n for which the
// factorial moments M, fm2, fm3 of the classes, divided by n, n(n - 1), n(n - 1)(n - 2), are those
// of two points in (0, 1); at most kNRunden values. Without one, n = L (at least 1) and the split
// start. With that n, (p, q, w, n) in slots k - 1, 50 + k - 1, 100 + k - 1, 150 + k - 1:
//   1: EM (tolerance 0.0001) from the moment start;  2: EM from the split start (the classes at or
//   below the mean and above it);  3: the moment start itself.
constexpr int kNRunden = 200;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const zk::Daten d = zk::Lesen(in, false);
  const auto fm = zk::FaktorielleMomente(d);
  const double L = in.stat.n;
  double n = std::max(L, 1.0);
  std::optional<zk::Start> punkte;
  for (int r = 0; r < kNRunden && !punkte; ++r) {
    const double versuch = std::max(L, 3.0) + r;
    punkte = zk::ZweiPunkte(fm[0] / versuch, fm[1] / (versuch * (versuch - 1)),
                            fm[2] / (versuch * (versuch - 1) * (versuch - 2)), 1);
    if (punkte) n = versuch;
  }
  const auto anteil = [n](double m) { return zk::InsIntervall(m / n); };
  const zk::Start mitte = zk::AmMittelGeteilt(d);
  const zk::Start geteilt{anteil(mitte.a), anteil(mitte.b), zk::InsIntervall(mitte.w)};
  const zk::Start momente =
      punkte ? zk::Start{zk::InsIntervall(punkte->a), zk::InsIntervall(punkte->b),
                         zk::InsIntervall(punkte->w)}
             : geteilt;
  const auto logP = [&](double p, std::uint32_t i) { return zk::LogBinomial(d, n, p, i); };
  const auto em = [&](zk::Start s) { return zk::EM(d, s, 1e-4, logP, logP, anteil, anteil); };
  zk::Eintragen(E, 1, em(momente));
  zk::Eintragen(E, 2, em(geteilt));
  zk::Eintragen(E, 3, momente);
  for (std::uint32_t k = 0; k < 3; ++k) E[150 + k] = n;
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}, {100}, {150}}, {{1}, {51}, {101}, {151}}, {{2}, {52}, {102}, {152}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double n = par[3];
  const double w = par[2];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  voninnen::Leeren(NP, L);
  zk::BinomialAddieren(NP, L, N * w, n, par[0]);
  zk::BinomialAddieren(NP, L, N * (1 - w), n, par[1]);
  zk::Rest(NP, L, N);
}

}  // namespace

// clang-format off
const Member kM132BinomialMixtureFreeN{.nummer = 132, .name = "Mixture of two binomials (free n)",
    .parZahl = 4, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
