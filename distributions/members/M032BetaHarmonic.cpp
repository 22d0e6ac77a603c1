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
  const double n = in.eig.festparameter[0];
  // Least squares for f[i] x (n + b - x) = f[i-1] (n - x + 1)(x - 1), weighted by x f[i].
  Summe paar = 0, quadrat = 0, nenner = 0;
  for (std::uint32_t i = 1; i < in.stat.n; ++i) {
    const double xi = static_cast<double>(in.x[i]);
    paar += xi * (xi - 1) * (n - xi + 1) * f[i] * f[i - 1];
    quadrat += xi * xi * (n - xi) * f[i] * f[i];
    nenner += xi * xi * f[i] * f[i];
  }
  E[0] = std::fabs(static_cast<double>((paar - quadrat) / nenner));
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[0] <= 0) par[0] = 0.1;
  const double b = par[0];
  const double n = in.eig.festparameter[0];
  // The terms over the data's values only: the support ends at n, the last value.
  NormierteTerme(NP, in.stat.n, in.stat.n, in.stat.summe, n / (n + b - 1),
                 [&](std::uint32_t i, double r) {
                   const double xi = static_cast<double>(in.x[i]);
                   return r * (n - xi + 1) * (xi - 1) / (xi * (n + b - xi));
                 });
}

}  // namespace

// clang-format off
const Member kM032BetaHarmonic{.nummer = 32, .name = "Right-truncated harmonic-beta", .parZahl = 1,
    .festparZahl = 1, .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
