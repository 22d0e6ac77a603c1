// SPDX-License-Identifier: GPL-3.0-or-later
// Member 33: number of customers in a finite-source queue with m servers and n sources
// (machine-interference model), a the ratio of arrival rate per source to service rate.
//   P(i) proportional to C(n, i) a^i                          for i <= m,
//   P(i) proportional to n! a^i / ((n - i)! m! m^(i - m))      for i > m;
//   m, n natural numbers (fixed), a > 0. Normalised over the classes 0..L; the last class takes
//   the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const double n = in.eig.festparameter[1];
  const auto g = ErsetzteAnfangsklassen(f, in.stat.n);
  E[0] = g[1] / (g[0] * n);
  E[1] = 2 * g[2] / ((n + 1) * g[1]);
}

constexpr Alternative kAlternativen[] = {
    {{0, 1}},
};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double m = std::trunc(in.eig.festparameter[0]);
  const double n = in.eig.festparameter[1];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;

  double r = 1;
  Summe S = r;
  if (L > 0) NP[0] = r;
  for (std::uint32_t i = 1; i <= L; ++i) {
    const double di = static_cast<double>(i);
    if (di <= m) {
      r = r * (n - di + 1) * a / di;
    } else if (di == m + 1) {
      // The first term of the queueing range in closed form, as the factorial table gives it.
      r = GanzePotenz(i, a) * Fakultaet(BegrenzteAnzahl(n, kGrenzeFaktoren)) /
          (Fakultaet(BegrenzteAnzahl(n - m - 1, kGrenzeFaktoren)) *
           Fakultaet(BegrenzteAnzahl(m, kGrenzeFaktoren)) * m);
    } else {
      r = r * (n - di + 1) * a / m;
    }
    S += r;
    if (i < L) NP[i] = r;
  }
  const double s = static_cast<double>(S);
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    NP[i] = N * NP[i] / s;
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

const Member kM033FiniteSourceQueue{
    .nummer = 33,
    .name = "Finite-source queue",
    .parZahl = 1,
    .festparZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen,
};

}  // namespace vk::members
