// SPDX-License-Identifier: GPL-3.0-or-later
// Member 61: Poisson distribution observed in groups of m consecutive values.
//   P(class j) = sum_{v=jm}^{(j+1)m-1} e^-a a^v / v!;  a > 0, m = Int(F0) >= 1 values a class.
//   The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PoissonFolge.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m = std::trunc(in.eig.festparameter[0]);
  E[3] = in.stat.m1 * m + (m - 1) / 2;
}

constexpr Alternative kAlternativen[] = {{{3}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  // The Poisson values below the last class, m L of them, are each visited once; a group size
  // that would make them more than kGrenzeFaktoren fails rather than stall the fit.
  const std::uint32_t m =
      BegrenzteAnzahl(in.eig.festparameter[0], L > 0 ? kGrenzeFaktoren / L : kGrenzeFaktoren);
  // Classes of no value at all hold no probability: no distribution.
  if (m == 0) RaiseInvalid();
  for (std::uint32_t j = 0; j < L; ++j) NP[j] = 0;
  Summe summe = 0;
  std::uint32_t klasse = 0;
  std::uint32_t inKlasse = 0;
  Summe gruppe = 0;
  poisson::Folge(a, m * L, [&](std::uint32_t, double p) {
    gruppe += p;
    if (++inKlasse == m) {
      NP[klasse] = N * static_cast<double>(gruppe);
      summe += NP[klasse];
      ++klasse;
      inKlasse = 0;
      gruppe = 0;
    }
  });
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM061GroupedPoisson{.nummer = 61, .name = "Grouped Poisson", .parZahl = 1,
    .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
