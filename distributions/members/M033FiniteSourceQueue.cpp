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
  const double n = in.eig.festparameter[1];
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = g[1] / (g[0] * n);
  E[1] = 2 * g[2] / ((n + 1) * g[1]);
}

constexpr Alternative kAlternativen[] = {{{0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double m = std::trunc(in.eig.festparameter[0]);
  const double n = in.eig.festparameter[1];
  // The terms over the classes 0..L only: the support ends with the sources. They may rise past
  // the double range (hundreds of sources at a high load): they are carried scaled, which leaves
  // the normalised classes as they are. The first term of the queueing range is written in closed
  // form through the factorial table; from 171 sources on (n! beyond the double range), with
  // a^(m+1) beyond it, or once the terms are scaled, it is the same number by the ratio from its
  // predecessor, r[m] (n - m) a / m.
  const std::uint32_t L = in.stat.n;
  Zweierskala skala;
  const auto schritt = [&](std::uint32_t i, double r) {
    const double di = static_cast<double>(i);
    if (di <= m) return r * (n - di + 1) * a / di;
    if (di == m + 1 && !skala.Skaliert() && n <= 170 && di * std::log(a) < 700) {
      return GanzePotenz(i, a) * Fakultaet(BegrenzteAnzahl(n, kGrenzeFaktoren)) /
             (Fakultaet(BegrenzteAnzahl(n - m - 1, kGrenzeFaktoren)) *
              Fakultaet(BegrenzteAnzahl(m, kGrenzeFaktoren)) * m);
    }
    return r * (n - di + 1) * a / m;
  };
  // The classes below L hold their terms until the sum is known; the last class takes the
  // remainder.
  double letzter = 0;
  const Summe S = SkalierteTerme(NP, L, L, 1, schritt, skala, letzter);
  TermeNormieren(NP, L, in.stat.summe, S);
}

}  // namespace

// clang-format off
const Member kM033FiniteSourceQueue{.nummer = 33, .name = "Finite-source queue", .parZahl = 1,
    .festparZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
