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

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const KlassenWerte& x = in.x;
  const double n = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
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

constexpr Alternative kAlternativen[] = {
    {{0}},
};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const KlassenWerte& x = in.x;
  if (par[0] <= 0) par[0] = 0.1;
  const double b = par[0];
  const double n = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
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

const Member kM032BetaHarmonic{
    .nummer = 32,
    .name = "Right-truncated harmonic-beta",
    .parZahl = 1,
    .festparZahl = 1,
    .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen,
};

}  // namespace vk::members
