// SPDX-License-Identifier: GPL-3.0-or-later
// Member 11: Poisson distribution left-truncated below m.
//   P(v) = (a^v / v!) / (e^a - sum_{i<m} a^i / i!),  v = m, m + 1, ...;  m = Int(F0) fixed
//   (the data's first value), a > 0. Class j holds the value j + m; the last class takes the
//   remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The truncation point is a value of the data, and values do not exceed the last class index.
std::uint32_t Abschneidepunkt(const TParameterEigenschaften& eig) {
  return BegrenzteAnzahl(eig.festparameter[0], kMaxKlassenIndex);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TParameterEigenschaften& eig = in.eig;
  const KlassenHaeufigkeiten& f = in.f;
  const double m = static_cast<double>(Abschneidepunkt(eig));
  const double m1 = in.stat.m1;
  E[51] = (m1 * m1 + in.stat.m2 - m1 * m) / (m1 - m + 1);
  E[50] = m1 - m * f[0] / in.stat.summe;
}

constexpr Alternative kAlternativen[] = {{{50, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const TParameterEigenschaften& eig = in.eig;
  const double a = par[0];
  const double N = in.stat.summe;
  const std::uint32_t m = Abschneidepunkt(eig);
  const double dm = static_cast<double>(m);
  // The Poisson mass below m, each term as a power over a factorial: from 171 on the factorial
  // overflows, a failed evaluation. The sum stops at that first overflowing term: the ones
  // beyond change nothing about the failure, and with their powers formed by repeated
  // multiplication a truncation point near the last class index would cost some 10^8 steps.
  Summe unten = 0;
  const std::uint32_t ende = std::min(m, kErsteUeberlaufendeFakultaet + 1);
  for (std::uint32_t i = 0; i < ende; ++i) unten += GanzePotenz(i, a) / Fakultaet(i);
  const double p0 = (GanzePotenz(m, a) / Fakultaet(m)) / (std::exp(a) - static_cast<double>(unten));
  RekursionMitRest(NP, in.stat.n, N, N * p0,
                   [&](double j, double vorher) { return vorher * a / (j + dm); });
}

}  // namespace

// clang-format off
const Member kM011LeftTruncatedPoisson{.nummer = 11, .name = "Left-truncated Poisson", .parZahl = 1,
    .festparZahl = 1, .traeger = Traeger::kNichtNull, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
