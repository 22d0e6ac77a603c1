// SPDX-License-Identifier: GPL-3.0-or-later
// Member 20: hyper-Poisson distribution.
//   P(i) = a^i / ((b)_i 1F1(1; b; a)),  i = 0, 1, 2, ...;  a > 0, b > 0; (b)_i the rising
//   factorial. The normalising series is taken over the L + 101 terms i = 0..L+100; the last
//   class takes the remainder.
#include <cmath>
#include <vector>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const std::uint32_t L = stat.n;
  const double N = stat.summe;
  const double M = stat.m1x0;
  const double m2 = stat.m2;
  const double m3 = stat.m3;
  const double f0 = f[0];
  const double f1 = KlasseOderNull(f, L, 1);
  const double q = f0 / N;

  // Mean and variance with the zero frequency.
  E[0] = std::fabs(((1 - q) * (M * M + m2) - M * M) / (1 - q * (M + 1)));
  E[1] = (m2 - M) / (1 - (M + 1) * q) + 1;
  // The first three moments.
  E[50] = (M * (3 * M * m2 + m3 + M * M * M) - (m2 + M * M) * (m2 + M * M)) / (M + M * M - m2);
  E[51] = (M + 1) * E[50] / M + 1 - (M * M + m2) / M;
  // Mean, zero frequency and first ratio.
  E[100] = (q + M - 1) * f1 / (f1 + f0 * f0 / N - f0);
  E[101] = E[100] * f0 / f1;

  // Ratio regression f[i+1] = a f[i]/(b + i) with b the mean of the two moment estimates, on the
  // zero-replaced frequencies (classes 0..L, and the one above L that the replacement reads).
  std::vector<double> g(L + 2, 0.0);
  for (std::uint32_t i = 0; i <= L; ++i) g[i] = f[i];
  NullhaeufigkeitenErsetzen(g);
  const double c = (E[1] + E[51]) / 2;
  Summe z = 0, n = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double u = c + static_cast<double>(i);
    z += g[i] * g[i + 1] / u;
    n += g[i] * g[i] / (u * u);
  }
  E[2] = static_cast<double>(z / n);
}

void AlternativeWaehlen(std::uint32_t k, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  switch (k) {
    case 1:
      p[0] = E[0];
      p[1] = E[1];
      break;
    case 2:
      p[0] = E[50];
      p[1] = E[51];
      break;
    case 3:
      p[0] = E[100];
      p[1] = E[101];
      break;
    case 4:
      p[0] = E[2];
      p[1] = (E[1] + E[51]) / 2;
      break;
    case 5:
      p[0] = (E[0] + E[50] + E[100] + E[2]) / 4;
      p[1] = (E[1] + E[51] + E[101]) / 3;
      break;
    default:
      break;
  }
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte&,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  const double a = par[0];
  const double b = par[1];
  const std::uint32_t L = stat.n;
  NormierteTermeMitRest(NP, L, L + 100, stat.summe,
                        [&](double i, double vorher) { return vorher * a / (i + b - 1); });
}

}  // namespace

const Member kM020HyperPoisson{20,
                               2,
                               0,
                               5,
                               "Hyper-Poisson",
                               SchaetzwerteBerechnen,
                               AlternativeWaehlen,
                               ErwartungswerteBerechnen};

}  // namespace vk::members
