// SPDX-License-Identifier: GPL-3.0-or-later
// Member 166: Poisson terms up to m, then a divisor growing by b per class.
//   r(0) = 1, r(x)/r(x-1) = a/x for x <= m and a/(m + (x - m) b) for x > m, x = 0, 1, 2, ...;
//   P(x) = r(x) / sum of all r; m fixed (F0), a > 0, b > 0. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const auto g = ErsetzteKlassen(in.f, L);
  // Beyond the data every class counts as empty, which the replacement makes 1.
  const auto ft = [&](std::uint32_t i) { return i < g.size() ? g[i] : 1.0; };
  E[0] = 2 * ft(2) / ft(1);
  const std::uint32_t k = FaktorAnzahl(m);
  double teiler = ft(k + 1);
  if (teiler == 0) teiler = 1;
  E[1] = (ft(k) * E[0] - m * ft(k + 1)) / teiler;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double m = in.eig.festparameter[0];
  // The written 100 terms beyond L, and on while a term still changes the sum: with a far above
  // L (or b small) most of the mass lies beyond L + 100.
  NormierteTermeBisKonvergenz(NP, in.stat.n, in.stat.summe, 1.0, [&](double x, double vorher) {
    if (x <= m) return a * vorher / x;
    return a * vorher / (m + (x - m) * b);
  });
}

}  // namespace

// clang-format off
const Member kM166PoissonHyperTailFromM{.nummer = 166,
    .name = "Poisson with a growing divisor from m on", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
