// SPDX-License-Identifier: GPL-3.0-or-later
// Member 55: logarithmic series distribution right-truncated at the data's last value.
//   P(x) proportional to a^x / x,  x = 1..x_L;  a > 0 (the truncation allows a >= 1).
//   Normalised over the classes, all of them by the formula (no tail class).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const TStatistik& stat, const TParameterEigenschaften&,
                           Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                           const KlassenWerte&) {
  const std::uint32_t L = stat.n;
  Summe s = 0;
  for (std::uint32_t i = 2; i <= L; ++i) {
    const double di = static_cast<double>(i);
    s += di * f[i] / (di - 1);
  }
  E[2] = static_cast<double>(s) / (stat.summe - f[L]);
  E[0] = (f[0] > 0) ? 2 * f[1] / f[0] : E[2];
}

void AlternativeWaehlen(std::uint32_t, const Schaetzwerttabelle& E, const KlassenHaeufigkeiten&,
                        Parametervektor& p, const TParameterEigenschaften&) {
  p[0] = (E[0] + E[2]) / 2;
}

void ErwartungswerteBerechnen(Parametervektor& par, const TStatistik& stat, const KlassenWerte& x,
                              const KlassenHaeufigkeiten&, Erwartungswerte& NP,
                              const TParameterEigenschaften&) {
  const double a = par[0];
  const std::uint32_t L = stat.n;
  const double N = stat.summe;
  Summe S = 0;
  for (std::uint32_t i = 0; i <= L; ++i) {
    const double xi = static_cast<double>(x[i]);
    NP[i] = std::pow(a, xi) / xi;
    S += NP[i];
  }
  const double s = static_cast<double>(S);
  for (std::uint32_t i = 0; i <= L; ++i) NP[i] = N * NP[i] / s;
}

}  // namespace

const Member kM055TruncatedLogarithmic{55,
                                       1,
                                       0,
                                       1,
                                       "Right-truncated logarithmic",
                                       SchaetzwerteBerechnen,
                                       AlternativeWaehlen,
                                       ErwartungswerteBerechnen};

}  // namespace vk::members
