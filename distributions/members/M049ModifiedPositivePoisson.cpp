// SPDX-License-Identifier: GPL-3.0-or-later
// Member 49: zero-truncated Poisson distribution with a modified probability of the value 1
// (class i holds the value i + 1).
//   P(1) = a (1 - b) / (e^a - 1 - a b),  P(v) = a^v / (v! (e^a - 1 - a b))  for v >= 2;
//   a > 0, b < 1 (b = 0 is the zero-truncated Poisson). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr std::uint32_t kSchritte = 11;
inline constexpr double kToleranz = 0.0001;
inline constexpr double kGrossesA = 20;
inline constexpr double kErsatzA = 10;
// e^a - 1 - a vanishes at a = 0: Newton stays above this.
inline constexpr double kKleinstesA = 0.01;

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const double N = stat.summe;
  const double m1 = stat.m1;
  const double fm2 = stat.fm2;
  const auto g = ErsetzteAnfangsklassen(f, stat.n);
  // P(3)/P(2) = a/3, then b from P(1)/P(2) = 2 (1 - b)/a.
  E[50] = 3 * g[2] / g[1];
  E[0] = 1 - E[50] * g[0] / (2 * g[1]);
  E[1] = (fm2 - E[50] * m1) / fm2 / std::exp(-E[50]);
  // The mean of the values from 2 on, a (e^a - 1)/(e^a - 1 - a) for the Poisson part.
  E[2] = (N * m1 - g[0]) / (N - g[0]);

  double a = E[50];
  for (std::uint32_t schritt = 0; schritt < kSchritte; ++schritt) {
    const double ea = std::exp(a);
    const double u = ea - 1;
    const double w = ea - 1 - a;
    const double h = a * u / w - E[2];
    const double h1 = ((u + a * ea) * w - a * u * u) / (w * w);
    const double d = h / h1;
    a -= d;
    if (a > kGrossesA) a = kErsatzA;
    if (a < kKleinstesA) a = kKleinstesA;
    if (std::fabs(d) < kToleranz) break;
  }
  E[53] = a;
}

void AlternativeWaehlen(std::uint32_t k, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  switch (k) {
    case 1:
      p[0] = E[50];
      p[1] = E[0];
      break;
    case 2:
      p[0] = E[50];
      p[1] = E[1];
      break;
    case 3:
      p[0] = E[53];
      p[1] = (E[0] + E[1]) / 2;
      break;
    case 4:
      p[0] = (E[50] + E[53]) / 2;
      p[1] = (E[0] + E[1]) / 2;
      break;
    default:
      break;  // the alternatives share no element
  }
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte& x,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  const double a = par[0];
  const double b = par[1];
  const std::uint32_t L = stat.n;
  const double N = stat.summe;
  const double nenner = std::exp(a) - 1 - a * b;
  NP[0] = N * (a * (1 - b) / nenner);
  Summe summe = 0;
  if (L > 0) summe = NP[0];
  if (L > 1) {
    NP[1] = N * (a * a / (2 * nenner));
    summe += NP[1];
  }
  for (std::uint32_t i = 2; i < L; ++i) {
    NP[i] = NP[i - 1] * a / static_cast<double>(x[i]);
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

const Member kM049ModifiedPositivePoisson{49,
                                          2,
                                          0,
                                          4,
                                          "Positive Poisson with modified one",
                                          SchaetzwerteBerechnen,
                                          AlternativeWaehlen,
                                          ErwartungswerteBerechnen};

}  // namespace vk::members
