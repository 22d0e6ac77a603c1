// SPDX-License-Identifier: GPL-3.0-or-later
// Member 37: sum of a uniform variable on 0..m-1 and an independent geometric one,
// P(Y = j) = (1 - a) a^j.
//   P(i) = (1 - a^(i+1)) / m  for i < m,   P(i) = (1 - a^m) a^(i-m+1) / m  for i >= m;
//   m a natural number (fixed), 0 < a < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  // P(0) = (1 - a)/m, and the geometric ratio above m.
  const double m = std::trunc(in.eig.festparameter[0]);
  const std::uint32_t im = BegrenzteAnzahl(m, kMaxKlassenIndex - 1);
  E[0] = 1 - m * f[0] / in.stat.summe;
  E[1] = f[im + 1] / f[im];
}

constexpr Alternative kAlternativen[] = {
    {{0, 1}},
};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double m = std::trunc(in.eig.festparameter[0]);
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double di = static_cast<double>(i);
    if (di < m) {
      NP[i] = N * (1 - std::pow(a, di + 1)) / m;
    } else if (di == m) {
      NP[i] = N * (1 - std::pow(a, m)) * a / m;
    } else {
      NP[i] = NP[i - 1] * a;
    }
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

const Member kM037UniformGeometric{
    .nummer = 37,
    .name = "Uniform plus geometric",
    .parZahl = 1,
    .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen,
};

}  // namespace vk::members
