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

// Beyond e^700 the written normaliser is near the double range.
constexpr double kGrenzeExponent = 700;

// sum_{k>=0} a^k m! / (m + k)!: the tail of the series of e^a from m on over its first term.
// The terms fall once k exceeds a - m, so the sum ends when a term no longer changes it; a
// mean in the millions would need more rounds than any data set warrants and fails instead.
// A sum beyond kGrosseTerme (a mean far above m, where the series approaches e^a) is not
// finished: 0 is returned, and the caller starts at the mode.
Summe SchwanzDurchErstenTerm(double a, double dm) {
  constexpr std::uint32_t kMaxTerme = 10'000'000;
  Summe summe = 1;
  double t = 1;
  for (std::uint32_t k = 1; k <= kMaxTerme; ++k) {
    t *= a / (dm + k);
    const Summe neu = summe + t;
    if (neu == summe) return summe;
    if (neu > kGrosseTerme) return 0;
    summe = neu;
  }
  RaiseInvalid();
  return summe;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const TParameterEigenschaften& eig = in.eig;
  const double a = par[0];
  const double N = in.stat.summe;
  const std::uint32_t m = Abschneidepunkt(eig);
  const double dm = static_cast<double>(m);
  // The Poisson mass below m, each term as a power over a factorial, subtracted from e^a. That is
  // exact enough while m! and a^m stay in range and the difference keeps at least half of e^a;
  // otherwise (data far from 0, or a mean well below m, where e^a and the partial sum agree in
  // nearly every digit) P(0) = 1 / sum_{k>=0} a^k m! / (m + k)!, a series of positive terms
  // whose ratio a / (m + k) needs no factorial and loses nothing to cancellation.
  double p0 = 0;
  bool geschrieben = !(a > 0);
  if (!geschrieben && m < kErsteUeberlaufendeFakultaet && a < kGrenzeExponent &&
      dm * std::log(a) < kGrenzeExponent) {
    Summe unten = 0;
    for (std::uint32_t i = 0; i < m; ++i) unten += GanzePotenz(i, a) / Fakultaet(i);
    const double ea = std::exp(a);
    const double rest = ea - static_cast<double>(unten);
    geschrieben = rest >= 0.5 * ea;
    if (geschrieben) p0 = (GanzePotenz(m, a) / Fakultaet(m)) / rest;
  } else if (geschrieben) {
    // Outside the domain: the formula as written, whatever fault it raises.
    Summe unten = 0;
    const std::uint32_t ende = std::min(m, kErsteUeberlaufendeFakultaet + 1);
    for (std::uint32_t i = 0; i < ende; ++i) unten += GanzePotenz(i, a) / Fakultaet(i);
    p0 = (GanzePotenz(m, a) / Fakultaet(m)) / (std::exp(a) - static_cast<double>(unten));
  }
  const auto schritt = [&](double j, double vorher) { return vorher * a / (j + dm); };
  if (!geschrieben) {
    const Summe S = SchwanzDurchErstenTerm(a, dm);
    if (S == 0) {
      // P(0) = e^-a a^m / m! / P(X >= m) is below 1e-300 here, and so is the Poisson mass below m
      // (at most m times its term at m, the terms rising up to the mode): P(X >= m) is 1 in double,
      // and the classes start at the mode from log P(0) = m log a - a - log m!.
      Summe logP0 = dm * std::log(static_cast<Summe>(a)) - a;
      for (std::uint32_t k = 2; k <= m; ++k) logP0 -= std::log(static_cast<Summe>(k));
      RestklasseSetzen(NP, in.stat.n, N,
                       RekursionVomGroesstenTerm(NP, in.stat.n, N, logP0, schritt));
      return;
    }
    p0 = 1 / static_cast<double>(S);
  }
  RekursionMitRest(NP, in.stat.n, N, N * p0, schritt);
}

}  // namespace

// clang-format off
const Member kM011LeftTruncatedPoisson{.nummer = 11, .name = "Left-truncated Poisson", .parZahl = 1,
    .festparZahl = 1, .traeger = Traeger::kNichtNull, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
