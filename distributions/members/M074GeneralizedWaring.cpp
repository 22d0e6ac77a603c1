// SPDX-License-Identifier: GPL-3.0-or-later
// Member 74: generalized Waring distribution.
//   P(0) = Gamma(a + b) Gamma(a + c) / (Gamma(a) Gamma(a + b + c));
//   P(i) / P(i-1) = (i + c - 1)(i + b - 1) / (i (i + a + b + c - 1)),  i = 1, 2, ...;
//   a, b, c > 0. The last class takes the remainder.
#include <math.h>

#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m1 = in.stat.m1;
  const double c = in.stat.fm2 / m1;
  const double d = in.stat.fm3 / in.stat.fm2;
  E[3] = c;
  E[53] = d;
  E[50] = std::fabs((c + 2) * m1 / (c - 2 * m1) - 1);
  E[0] = std::fabs((2 * (E[50] + 1) + 2 * c) / c - 1);
  E[100] = 1;
  double g = 2 * c - d - m1;
  if (g == 0) g = 1;
  E[200] = std::fabs((4 * c - 3 * d - m1 - 2) / g);
  const double h = E[200];
  const double e = d * (h - 3) - c * (h - 2) - 3;
  E[201] = std::fabs(std::sqrt(std::fabs(e * e - 4 * (h * m1 - h))) + e) / 2;
  E[202] = std::fabs(((h - 2) * c - E[201] - 1) / (E[201] + 1));
}

// Alt 1: (E[0], E[50], E[100]); Alt 2: (E[200], E[201], E[202]).
constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}}, {{200}, {201}, {202}}};

// ln Gamma(z) for z > 0 without the shared sign variable of lgamma, so that fits on several
// threads do not race on it.
double LogGamma(double z) {
  int vorzeichen = 0;
  return ::lgamma_r(z, &vorzeichen);
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double c = par[2];
  // The Gamma ratio of P(0) by its logarithms. The two-term Stirling sums for the four
  // logarithms are close only for large arguments; the exact ln Gamma gives the same P(0) there
  // and the right one for arguments near 0.
  const double p0 = std::exp(LogGamma(a + b) + LogGamma(a + c) - LogGamma(a) - LogGamma(a + b + c));
  const double s = a + b + c;
  RekursionMitRest(NP, in.stat.n, in.stat.summe, in.stat.summe * p0, [&](double i, double vorher) {
    return vorher * (i + c - 1) * (i + b - 1) / (i * (i + s - 1));
  });
}

}  // namespace

// clang-format off
const Member kM074GeneralizedWaring{.nummer = 74, .name = "Generalized Waring", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
