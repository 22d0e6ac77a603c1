// SPDX-License-Identifier: GPL-3.0-or-later
// Member 56: number in a queue with m servers and room for at most L customers (Erlang's loss
// system with waiting room).
//   P(j) = P(0) a^j / j!  for j <= m,  P(0) a^j / (m! m^(j-m))  for m < j <= L;  a > 0 the
//   offered load, m = Int(F0) >= 1 servers. All classes by the formula, none a remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/Warteschlange.h"

namespace vk::members {

namespace {

std::uint32_t Bedienstellen(const TParameterEigenschaften& eig) {
  return BegrenzteAnzahl(eig.festparameter[0], kGrenzeFaktoren);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const std::uint32_t m = Bedienstellen(in.eig);
  const double dm = static_cast<double>(m);
  // f[i+1] = a f[i] / (i + 1) below m servers busy, a f[i] / m above.
  Summe z = 0, q = 0;
  const std::uint32_t grenze = std::min(m, L);
  warteschlange::RegressionSummen(
      f, 0, grenze, [](std::uint32_t i) { return 1 / (i + 1.0); }, z, q);
  warteschlange::RegressionSummen(
      f, grenze, L, [&](std::uint32_t) { return 1 / dm; }, z, q);
  E[50] = static_cast<double>(z / q);
  E[51] = (f[0] > 0) ? f[1] / f[0] : E[50];
}

constexpr Alternative kAlternativen[] = {{{50, 51}}};

// The written normaliser sums the states below m and a geometric series from m to L in closed
// form, a^m (1 - (a/m)^(L-m+1)) / ((m-1)! (m - a)), which is 0/0 at a = m and loses digits near
// it. Summing the terms of that series one by one gives the same normaliser without the
// singularity (and, for m above L, the same value the closed form reaches with its negative
// exponent: the states L+1..m-1 taken off again).
void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t m = Bedienstellen(in.eig);
  const double dm = static_cast<double>(m);
  SkalierteNormierteKlassen(NP, in.stat.n, in.stat.summe, [&](std::uint32_t j, double r) {
    return j <= m ? r * a / j : r * a / dm;
  });
}

}  // namespace

// clang-format off
const Member kM056FiniteWaitingRoomQueue{.nummer = 56, .name = "Queue with finite waiting room",
    .parZahl = 1, .festparZahl = 1, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
