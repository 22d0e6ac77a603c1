// SPDX-License-Identifier: GPL-3.0-or-later
// Member 131: mixture of two binomial distributions with a common number of trials.
//   P(i) = w B(i; n, p) + (1 - w) B(i; n, q),  i = 0..n;  0 < p, q, w < 1, n fixed (F0). The last
//   class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/ZweiKomponenten.h"

namespace vk::members {

namespace {

namespace zk = zweikomponenten;

// Three starts for (p, q, w), in slots k - 1, 50 + k - 1, 100 + k - 1 of alternative k:
//   1: EM (tolerance 0.0001) from the two-point solution of the first three factorial moments,
//      E[X(X-1)...(X-r+1)] = n(n-1)...(n-r+1) (w p^r + (1 - w) q^r), or from the split start
//      where the moments allow no such pair in (0, 1) (or n < 3);
//   2: EM from the split start: the classes at or below the mean and those above, p and q their
//      means over n, w the share of the first;
//   3: the moment start itself, without iterating (the split start where there is none).
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double n = in.eig.festparameter[0];
  const zk::Daten d = zk::Lesen(in, false);
  const auto fm = zk::FaktorielleMomente(d);
  const auto anteil = [n](double m) { return zk::InsIntervall(m / n); };
  const zk::Start mitte = zk::AmMittelGeteilt(d);
  const zk::Start geteilt{anteil(mitte.a), anteil(mitte.b), zk::InsIntervall(mitte.w)};
  zk::Start momente = geteilt;
  if (n >= 3) {
    const auto punkte =
        zk::ZweiPunkte(fm[0] / n, fm[1] / (n * (n - 1)), fm[2] / (n * (n - 1) * (n - 2)), 1);
    if (punkte)
      momente = {zk::InsIntervall(punkte->a), zk::InsIntervall(punkte->b),
                 zk::InsIntervall(punkte->w)};
  }
  const auto logP = [&](double p, std::uint32_t i) { return zk::LogBinomial(d, n, p, i); };
  const auto em = [&](zk::Start s) { return zk::EM(d, s, 1e-4, logP, logP, anteil, anteil); };
  zk::Eintragen(E, 1, em(momente));
  zk::Eintragen(E, 2, em(geteilt));
  zk::Eintragen(E, 3, momente);
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}, {100}}, {{1}, {51}, {101}}, {{2}, {52}, {102}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double n = in.eig.festparameter[0];
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
const Member kM131BinomialMixture{.nummer = 131, .name = "Mixture of two binomials",
    .parZahl = 3, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
