// SPDX-License-Identifier: GPL-3.0-or-later
// Member 32: right-truncated harmonic-beta distribution on the values 1..n.
//   P(x) proportional to Gamma(n + b - x) / (x Gamma(n - x + 1)),  x = 1..n,  i.e. the ratio
//   P(x)/P(x - 1) = (n - x + 1)(x - 1) / (x (n + b - x));  n the last value of the data (fixed),
//   b > 0. Normalised over the data's values; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften& eig,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte& x) {
  const double n = eig.festparameter[0];
  const std::uint32_t L = stat.n;
  // Least squares for f[i] x (n + b - x) = f[i-1] (n - x + 1)(x - 1), weighted by x f[i].
  Summe paar = 0, quadrat = 0, nenner = 0;
  for (std::uint32_t i = 1; i < L; ++i) {
    const double xi = static_cast<double>(x[i]);
    paar += xi * (xi - 1) * (n - xi + 1) * f[i] * f[i - 1];
    quadrat += xi * xi * (n - xi) * f[i] * f[i];
    nenner += xi * xi * f[i] * f[i];
  }
  E[0] = std::fabs(static_cast<double>((paar - quadrat) / nenner));
}

void AlternativeWaehlen(std::uint32_t, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  p[0] = E[0];
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte& x,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften& eig) {
  if (par[0] <= 0) par[0] = 0.1;
  const double b = par[0];
  const double n = eig.festparameter[0];
  const std::uint32_t L = stat.n;
  const double N = stat.summe;
  // Terms r[0..L] by the recurrence in the values; those below L wait in NP for the scaling.
  double r = n / (n + b - 1);
  Summe S = r;
  if (L > 0) NP[0] = r;
  for (std::uint32_t i = 1; i <= L; ++i) {
    const double xi = static_cast<double>(x[i]);
    r = r * (n - xi + 1) * (xi - 1) / (xi * (n + b - xi));
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

const Member kM032BetaHarmonic{32,
                               1,
                               1,
                               1,
                               "Right-truncated harmonic-beta",
                               SchaetzwerteBerechnen,
                               AlternativeWaehlen,
                               ErwartungswerteBerechnen};

}  // namespace vk::members
