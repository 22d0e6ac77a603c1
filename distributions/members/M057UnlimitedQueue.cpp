// SPDX-License-Identifier: GPL-3.0-or-later
// Member 57: number in a queue with m servers and unlimited waiting room.
//   P(j) = P(0) a^j / j!  for j <= m,  P(0) a^j / (m! m^(j-m))  for j > m,
//   1/P(0) = sum_{j<m} a^j / j! + a^m / ((m-1)! (m - a));  m = Int(F0) >= 1 servers and a load
//   0 < a < m (a stable queue). The last class takes the remainder.
#include <algorithm>
#include <cmath>
#include <vector>

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
  const std::uint32_t L = in.stat.n;
  const std::vector<double> f = ErsetzteKlassen(in.f, L);
  const std::uint32_t m = Bedienstellen(in.eig);
  const double dm = static_cast<double>(m);
  Summe z = 0, q = 0;
  const std::uint32_t grenze = std::min(m, L);
  warteschlange::RegressionSummen(
      f, 0, grenze, [](std::uint32_t i) { return 1 / (i + 1.0); }, z, q);
  warteschlange::RegressionSummen(
      f, grenze, L, [&](std::uint32_t) { return 1 / dm; }, z, q);
  E[50] = static_cast<double>(z / q);
  E[51] = f[1] / f[0];
}

constexpr Alternative kAlternativen[] = {{{50, 51}}};

// The states up to m are summed term by term and the geometric rest beyond m in closed form,
// a^m / m! * m / (m - a), which is the written a^m / ((m-1)! (m - a)); the terms are kept on a
// scale where a heavy load cannot overflow them.
void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  const std::uint32_t m = Bedienstellen(in.eig);
  const double dm = static_cast<double>(m);
  // At a load of m or more the queue grows without bound and the normaliser turns negative: no
  // distribution to fit. (No servers at all leaves nothing to divide by.)
  if (!(a < dm)) RaiseInvalid();
  Zweierskala skala;
  double rm = 0;
  Summe S = SkalierteTerme(
      NP, m, L, 1, [&](std::uint32_t j, double r) { return r * a / j; }, skala, rm);
  const double rho = a / dm;
  // Beyond m the terms fall by a/m each: their sum is r_m a / (m - a).
  S += rm * a / (dm - a);
  double r = rm;
  for (std::uint32_t j = m + 1; j < L; ++j) {
    r *= rho;
    NP[j] = r;
  }
  TermeNormieren(NP, L, in.stat.summe, S);
}

}  // namespace

// clang-format off
const Member kM057UnlimitedQueue{.nummer = 57, .name = "Queue with unlimited waiting room",
    .parZahl = 1, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
