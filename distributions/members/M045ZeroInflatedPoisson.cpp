// SPDX-License-Identifier: GPL-3.0-or-later
// Member 45: zero-inflated Poisson distribution.
//   P(0) = 1 - b + b e^-a,  P(i) = b e^-a a^i / i!  for i >= 1;  a > 0, 0 < b <= 1 (b enters
//   as |b|). The last class takes N minus the others without an absolute value.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr std::uint32_t kSchritte = 11;
inline constexpr double kToleranz = 0.0001;

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const double m1 = stat.m1;
  const double anteil = 1 - f[0] / stat.summe;
  // Moments: fm2/m1 = a and m1 = a b.
  E[0] = stat.fm2 / m1;
  E[1] = m1 / E[0];
  // Newton for a on a = (1 - e^-a) m1 / (1 - f[0]/N), the mean of the non-zero part.
  double a = E[0];
  for (std::uint32_t schritt = 0; schritt < kSchritte; ++schritt) {
    const double e = std::exp(-a);
    const double d = (1 - e) * (a - (1 - e) * m1 / anteil) / (1 - e * (a + 1));
    a -= d;
    if (std::fabs(d) < kToleranz) break;
  }
  E[2] = a;
  E[51] = anteil / (1 - std::exp(-E[2]));
}

void AlternativeWaehlen(std::uint32_t k, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  switch (k) {
    case 1:
      p[0] = E[0];
      p[1] = E[1];
      break;
    case 2:
      p[0] = E[2];
      p[1] = E[51];
      break;
    case 3:
      p[0] = (E[0] + E[2]) / 2;
      p[1] = (E[1] + E[51]) / 2;
      break;
    default:
      break;  // the alternatives share no element
  }
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  const double a = par[0];
  const double b = std::fabs(par[1]);
  const std::uint32_t L = stat.n;
  const double N = stat.summe;
  const double ea = std::exp(-a);
  NP[0] = N * (1 - b + b * ea);
  Summe summe = 0;
  if (L > 0) summe = NP[0];
  if (L > 1) {
    NP[1] = N * b * a * ea;
    summe += NP[1];
  }
  for (std::uint32_t i = 2; i < L; ++i) {
    NP[i] = NP[i - 1] * a / static_cast<double>(i);
    summe += NP[i];
  }
  RestklasseOhneBetragSetzen(NP, L, N, summe);
}

}  // namespace

const Member kM045ZeroInflatedPoisson{45,
                                      2,
                                      0,
                                      3,
                                      "Zero-inflated Poisson",
                                      SchaetzwerteBerechnen,
                                      AlternativeWaehlen,
                                      ErwartungswerteBerechnen};

}  // namespace vk::members
