// SPDX-License-Identifier: GPL-3.0-or-later
// Member 14: Polya (Polya-Eggenberger urn) distribution with a given n.
//   P(i) = C(n, i) prod_{j<i} (p + j s) prod_{j<n-i} (1 - p + j s) / prod_{j<n} (1 + j s),
//   i = 0..n;  n fixed (F0), s >= 0, p in (0, 1); the beta-binomial with alpha = p/s and
//   beta = (1 - p)/s, the binomial at s = 0. The last class is N minus the others (without an
//   absolute value).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/Polya.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& stat = in.stat;
  const KlassenHaeufigkeiten& f = in.f;
  polya::Schaetzer(stat, f, in.eig.festparameter[0], E);
}

constexpr Alternative kAlternativen[] = {
    {{0}, {1}},
    {{50}, {1}},
    {{0, 50}, {1}},
};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double s = par[0];
  const double p = par[1];
  const double n = in.eig.festparameter[0];
  const std::uint32_t faktoren = FaktorAnzahl(n);
  double p0 = 1 - p;
  for (std::uint32_t j = 1; j < faktoren; ++j) {
    const double dj = static_cast<double>(j);
    p0 *= (1 - p + dj * s) / (1 + dj * s);
  }
  RekursionMitRest(
      NP, in.stat.n, in.stat.summe, in.stat.summe * p0,
      [&](double i, double vorher) { return vorher * polya::Verhaeltnis(s, p, n, i); },
      Restregel::kOhneBetrag);
}

}  // namespace

const Member kM014PolyaFixedN{
    .nummer = 14,
    .name = "Polya (fixed n)",
    .parZahl = 2,
    .festparZahl = 1,
    .rest = Restregel::kOhneBetrag,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen,
};

}  // namespace vk::members
