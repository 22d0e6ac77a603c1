// SPDX-License-Identifier: GPL-3.0-or-later
// Member 118: Neyman type A distribution.
//   A Poisson(b) number of summands, each Poisson(a);  pgf exp(b (e^(a (s - 1)) - 1));  a > 0
//   the summands' mean, b > 0 the mean number of summands. P(0) = exp(-b (1 - e^-a)) and
//   P(x) = e^-a a b / x sum_{s<x} (a^s / s!) P(x - 1 - s), the Poisson recursion of the
//   stopped-sum kernel (j g_j = a e^-a a^(j-1)/(j-1)!); the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GestoppteSumme.h"
#include "distributions/members/Members.h"
#include "distributions/members/Summanden.h"

namespace vk::members {

namespace {

// Moments: mean a b, variance a b (1 + a), so a = m2/M - 1 and b = M/a (E[0], E[50]; a not above
// 0, an underdispersed sample, starts at 0.1). From there the zero class, f0/N =
// exp(-b (1 - e^-a)) with b = M/a, is solved for a by the fixed point a = M (1 - e^-a) / l,
// l = -ln(f~0/N), whose slope a e^-a / (1 - e^-a) stays below 1; it stops when a and b both
// move by less than 0.001 or after the 21st round (E[1], E[51]).
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double M = in.stat.m1x0;
  const double N = in.stat.summe;
  double a = in.stat.m2 / M - 1;
  if (!(a > 0)) a = 0.1;
  E[0] = a;
  E[50] = M / a;
  const double l = -std::log(g[0] / N);
  double b = M / a;
  if (l > 0) {
    for (int runde = 1; runde <= 21; ++runde) {
      const double aNeu = -M * std::expm1(-a) / l;
      const double bNeu = M / aNeu;
      const bool fertig = std::fabs(aNeu - a) < 0.001 && std::fabs(bNeu - b) < 0.001;
      a = aNeu;
      b = bNeu;
      if (fertig) break;
    }
  }
  E[1] = a;
  E[51] = b;
}

constexpr Alternative kAlternativen[] = {{{0}, {50}}, {{1}, {51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kPoisson, b, 0}, summanden::Poisson(a),
                      summanden::PoissonVerhaeltnis(a));
}

}  // namespace

// clang-format off
const Member kM118NeymanTypeA{.nummer = 118, .name = "Neyman type A", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
