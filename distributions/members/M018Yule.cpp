// SPDX-License-Identifier: GPL-3.0-or-later
// Member 18: Yule (Yule-Simon) distribution.
//   P(v) = a B(v, a + 1),  v = 1, 2, 3, ...;  a > 0. Class i holds the value v = i + 1; the last
//   class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const auto g = ErsetzteAnfangsklassen(f, L);
  E[0] = (g[0] - 2 * g[1]) / g[1];
  E[1] = 1 / in.stat.m1 + 1;
  E[2] = g[0] / (in.stat.summe - g[0]);
  E[3] = 4 * in.stat.m1 / in.stat.fm2 + 2;

  // Least squares on the linearised ratio: (i + a + 2) f[i+1] = (i + 1) f[i], i.e.
  // a f[i+1] = (i + 1) f[i] - (i + 2) f[i+1], summed over i < L; the three sums stay in
  // E[50..52] beside the estimate.
  Summe kreuz = 0, quadrat = 0, nenner = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double di = static_cast<double>(i);
    kreuz += (di + 1) * f[i + 1] * f[i];
    quadrat += (di + 2) * f[i + 1] * f[i + 1];
    nenner += f[i + 1] * f[i + 1];
  }
  E[50] = static_cast<double>(kreuz);
  E[51] = static_cast<double>(quadrat);
  E[52] = static_cast<double>(nenner);
  // Without any frequency above class 0 the regression has nothing to fit.
  E[4] = (E[52] > 0) ? (E[50] - E[51]) / E[52] : (E[0] + E[1] + E[2] + E[3]) / 4;
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2, 3}}, {{4}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  RekursionMitRest(NP, in.stat.n, N, N * (a / (a + 1)),
                   [&](double i, double vorher) { return vorher * i / (i + a + 1); });
}

}  // namespace

// clang-format off
const Member kM018Yule{.nummer = 18, .name = "Yule", .parZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
