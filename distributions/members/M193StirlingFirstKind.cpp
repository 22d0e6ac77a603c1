// SPDX-License-Identifier: GPL-3.0-or-later
// Member 193: Stirling distribution of the first kind.
//   P(x) = m! |s(x, m)| theta^x / (x! (-ln(1 - theta))^m),  x = m, m + 1, ... (the class values,
//   the first one m): the sum of m logarithmic variables;  0 < theta < 1, m = F0 a natural number
//   equal to the first class value (anything else is a failed evaluation). The last class takes
//   the remainder.
#include <array>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"
#include "distributions/members/StirlingSpalte.h"

namespace vk::members {

namespace {

// E[50]: theta from the mean per summand, theta/((1 - theta)(-ln(1 - theta))), which rises from
// 1 to infinity, by bisection; E[100]: theta from P(m + 1)/P(m) = m theta/2.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double m = in.eig.festparameter[0];
  const double mittel = in.stat.m1 / m;
  double unten = 0, oben = 1;
  for (int runde = 0; runde < 60; ++runde) {
    const double t = (unten + oben) / 2;
    if (t / ((1 - t) * -std::log1p(-t)) < mittel) {
      unten = t;
    } else {
      oben = t;
    }
  }
  E[50] = (unten + oben) / 2;
  E[100] = 2 * g[1] / (m * g[0]);
  if (E[100] >= 1) E[100] = 0.9;
}

constexpr Alternative kAlternativen[] = {{{100, 50}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double theta = par[0];
  const double F0 = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const std::uint32_t m = BegrenzteAnzahl(F0, kMaxKlassen);
  if (!(F0 == m && m >= 1 && in.x[0] == m)) {
    RaiseInvalid();
    return;
  }
  // theta^x/(-ln(1 - theta))^m as (theta/l)^m theta^(x - m): both powers alone leave the double
  // range for large m, their quotient does not.
  const double l = -std::log1p(-theta);
  const double basis = std::pow(theta / l, m);
  const double xL = in.x[L];
  if (xL < kErsteUeberlaufendeFakultaet) {
    // m! |s(x, m)| / x! by the exact Stirling numbers while x! is a double.
    const double mFak = Fakultaet(m);
    KlassenMitRest(NP, L, N, [&](std::uint32_t i, double) {
      const std::uint32_t x = in.x[i];
      if (i == 0) return N * basis;
      return N * (std::fabs(StirlingErsterArt(x, m)) / Fakultaet(x) * mFak) * basis *
             std::pow(theta, x - m);
    });
    return;
  }
  // Beyond, x! and s(x, m) leave the double range while their quotient does not, and for m
  // beyond some 1300 so does (theta/l)^m, while the classes near the mode do not: the classes are
  // the column m of the laws of sums of k logarithmic summands (class i the value m + i), each
  // column with its own power of two.
  // The column is formed in long double (320 KB on the stack, no allocation): see
  // StirlingSpalte.h for why double does not hold it.
  Unterbrechungszaehler zaehler(in);
  const Summe t = theta;
  std::array<Summe, kMaxKlassen> g;
  const int E =
      stirlingspalte::Spalte(g, L, m, t, t, std::log(t / -std::log1p(-t)), zaehler);
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    NP[i] = N * static_cast<double>(std::ldexp(g[i], E));
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM193StirlingFirstKind{.nummer = 193, .name = "Stirling of the first kind",
    .parZahl = 1, .festparZahl = 1, .traeger = Traeger::kNichtNull,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
