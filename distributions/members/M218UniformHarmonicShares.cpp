// SPDX-License-Identifier: GPL-3.0-or-later
// Member 218: mixture of a discrete uniform law and a mixture of uniforms.
//   With weight a/(a + b) uniform on 0..m-1, with weight b/(a + b) the equal mixture over
//   k = 1..m of uniform laws on 0..k-1:
//   P(x) = (a + b (psi_m - psi_x))/((a + b) m),  x = 0..m-1,  psi_k = 1 + 1/2 + ... + 1/k;
//   a > 0, b > 0, m = Int(m) natural; the classes from m on are 0. The last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const double m = static_cast<double>(in.x[L]) - static_cast<double>(in.x[0]) + 1;
  E[2] = m;
  E[1] = 1;
  E[0] = 1 / m;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}};

// psi_m summed term by term up to here; beyond, its asymptotic series, whose first omitted term
// (1/(252 m^6)) lies below the rounding of the sum.
constexpr std::uint32_t kGrenzeHarmonischeSumme = 100000;

Summe Harmonisch(std::uint32_t m) {
  if (m <= kGrenzeHarmonischeSumme) {
    Summe s = 0;
    for (std::uint32_t k = m; k >= 1; --k) s += 1.0L / k;
    return s;
  }
  const Summe x = m;
  constexpr Summe kEuler = 0.5772156649015328606065120900824024L;
  return std::log(x) + kEuler + 1 / (2 * x) - 1 / (12 * x * x) + 1 / (120 * x * x * x * x);
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const std::uint32_t m = FaktorAnzahl(par[2]);
  const double md = m;
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const double psi = static_cast<double>(Harmonisch(m));
  // The differences are taken as they come, without an absolute value. From x = m on the
  // difference no longer describes the mixture: its classes there are 0, and the differences
  // would give them a/((a + b) m) and less, a table summing above N.
  RekursionMitRest(NP, L, N, N * (psi * b + a) / ((a + b) * md), [&](double x, double vorher) {
    return x >= md ? 0.0 : vorher - N * b / ((a + b) * md * x);
  });
  for (std::uint32_t x = 0; x < L; ++x) {
    if (NP[x] < 0) {
      RaiseInvalid();
      return;
    }
  }
}

}  // namespace

// clang-format off
const Member kM218UniformHarmonicShares{.nummer = 218,
    .name = "Uniform and mixed-uniform shares", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
