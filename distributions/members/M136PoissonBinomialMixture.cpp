// SPDX-License-Identifier: GPL-3.0-or-later
// Member 136: mixture of a Poisson and a binomial distribution.
//   P(i) = w Po(i; a) + (1 - w) B(i; n, p), the binomial part 0 for i > Int(n);  a > 0,
//   0 < p, w < 1, n fixed (F0). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/ZweiKomponenten.h"

namespace vk::members {

namespace {

namespace zk = zweikomponenten;

// Two starts for (a, p, w), each iterated by EM (tolerance 0.0001), in slots k - 1, 50 + k - 1,
// 100 + k - 1 of alternative k. The data split at their mean: 1, the Poisson takes the classes at
// or below the mean (a their mean) and the binomial those above (p their mean over n); 2, the
// other way round.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double n = in.eig.festparameter[0];
  const zk::Daten d = zk::Lesen(in, false);
  const zk::Start mitte = zk::AmMittelGeteilt(d);
  const auto anteil = [n](double m) { return zk::InsIntervall(m / n); };
  const auto logPo = [&](double a, std::uint32_t i) { return zk::LogPoisson(d, a, i); };
  const auto logBi = [&](double p, std::uint32_t i) { return zk::LogBinomial(d, n, p, i); };
  const auto em = [&](zk::Start s) {
    return zk::EM(d, s, 1e-4, logPo, logBi, zk::Positiv, anteil);
  };
  zk::Eintragen(E, 1, em({zk::Positiv(mitte.a), anteil(mitte.b), zk::InsIntervall(mitte.w)}));
  zk::Eintragen(E, 2, em({zk::Positiv(mitte.b), anteil(mitte.a), zk::InsIntervall(1 - mitte.w)}));
}

constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}}, {{1}, {51}, {101}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double n = in.eig.festparameter[0];
  const double p = par[1];
  const double w = par[2];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  // The binomial's last class Int(n) (counted as FaktorAnzahl counts factors: none below 1).
  const std::uint32_t letzte = FaktorAnzahl(n);
  voninnen::Leeren(NP, L);
  zk::PoissonAddieren(NP, L, N * w, par[0]);
  zk::Addieren(
      NP, L, N * (1 - w), std::exp(n * binomial::LogGegenP(n, p)),
      [&] { return static_cast<Summe>(n) * std::log1p(-static_cast<Summe>(p)); },
      [&](std::uint32_t i) { return i > letzte ? 0.0 : (n - i + 1) * p / ((1 - p) * i); });
  zk::Rest(NP, L, N);
}

}  // namespace

// clang-format off
const Member kM136PoissonBinomialMixture{.nummer = 136,
    .name = "Mixture of a Poisson and a binomial", .parZahl = 3, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
