// SPDX-License-Identifier: GPL-3.0-or-later
// Member 182: generalized logarithmic series distribution.
//   P(x) = C(beta x, x)/(beta x) theta^x (1 - theta)^{beta x - x} / (-ln(1 - theta)),
//   x = 1, 2, ... (the class values);  0 < theta < 1, 1 <= beta < 1/theta; beta = 1 is the
//   logarithmic distribution. A beta at or above 1/theta (where the terms no longer sum to 1) is
//   moved to the middle of [1, 1/theta) and written back. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double m1 = in.stat.m1;
  const double m2 = in.stat.m2;
  E[100] = m1 * g[1] / (g[0] * g[0]);
  E[50] = 0.5;
  for (int runde = 0; runde < 16; ++runde) {
    E[0] = E[50];
    E[1] = (2 * E[100] + E[0]) / (2 * E[0] * (E[100] + 1));
    E[50] = m2 / (m1 * m1) - std::log(std::fabs(1 - E[0])) * (1 - E[0]) / (1 - E[0] * E[1]);
    InEinheitsintervallKorrigieren(E[50]);
    UeberEinsSpiegeln(E[1]);
    if (std::fabs(E[0] - E[50]) < 0.0001) break;
  }
}

constexpr Alternative kAlternativen[] = {{{50}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double theta = par[0];
  if (par[1] * theta >= 1) par[1] = (1 + 1 / theta) / 2;
  const double beta = par[1];
  const double N = in.stat.summe;
  // -ln(1 - theta) through log1p: for a small theta, 1 - theta has lost the digits of theta.
  const long double l1 = -std::log1p(-static_cast<long double>(theta));
  const long double lt = std::log(static_cast<long double>(theta));
  const long double lq = std::log1p(-static_cast<long double>(theta));
  // C(beta x, x)/(beta x) = Gamma(beta x)/(x! Gamma(beta x - x + 1)): its product form costs x
  // factors per class and overflows from x of about 170 on; the log-gamma functions in long
  // double keep 1e-14 relative to x of 10^4 and beyond, their difference taken by its own
  // series where beta x reaches 1/theta of 10^8.
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    const long double x = in.x[i];
    // (1 - theta)^(beta - 1) through ln(1 - theta) as well: beta may be as large as 1/theta.
    if (x == 1) return static_cast<double>(N * theta * std::exp((beta - 1) * lq) / l1);
    const long double bx = beta * x;
    const long double logP =
        LogGammaDifferenz(bx - x + 1, x - 1) - std::lgamma(x + 1) + x * lt + (bx - x) * lq;
    return static_cast<double>(N * std::exp(logP) / l1);
  });
}

}  // namespace

// clang-format off
const Member kM182GeneralizedLogarithmicSeries{.nummer = 182,
    .name = "Generalized logarithmic series", .parZahl = 2, .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
