// SPDX-License-Identifier: GPL-3.0-or-later
// Member 98: mixture of a Poisson distribution and the same Poisson distribution shifted by m.
//   P(i) = (1 - b) e^-a a^i / i! + b e^-a a^(i-m) / (i - m)!  (the second term from i = m on);
//   a > 0, 0 < b < 1, m = 1, 2, ... free. m below 1 is raised to 1, m at or above the last class L
//   becomes Int(L/2); both written back. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double N = in.stat.summe;
  E[0] = g[1] / g[0];
  // P(0) = (1 - b) e^-a for m >= 1, and the mean is a + b m.
  E[50] = std::fabs(1 - std::exp(E[0]) * g[0] / N);
  E[100] = std::fabs((in.stat.m1 - E[0]) / E[50]);
}

constexpr Alternative kAlternativen[] = {{{0}, Betrag({50}), {100}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const std::uint32_t L = in.stat.n;
  if (par[2] < 1) par[2] = 1;
  if (par[2] >= L) par[2] = std::trunc(L / 2.0);
  const double a = par[0];
  const double b = par[1];
  // The shift counts classes: a fractional one has no Poisson term to shift.
  if (par[2] != std::trunc(par[2])) RaiseInvalid();
  const std::uint32_t m = BegrenzteAnzahl(par[2], L);
  const double N = in.stat.summe;
  // Two Poisson terms run along the classes: the unshifted one at i and the shifted one at i - m.
  // In extended precision: e^-a leaves the double range from a of about 745 on, where the classes
  // near the mean are still representable; its range reaches about 11000.
  const long double ea = std::exp(-static_cast<long double>(a));
  long double p = ea;
  long double q = ea;
  KlassenMitRest(NP, L, N, [&](std::uint32_t i, double) {
    if (i > 0) p *= a / static_cast<long double>(i);
    if (i > m) q *= a / static_cast<long double>(i - m);
    return static_cast<double>(N * ((1 - b) * p + (i >= m ? b * q : 0.0L)));
  });
}

}  // namespace

// clang-format off
const Member kM098PoissonShiftedMixtureFreeM{.nummer = 98,
    .name = "Poisson mixed with its shift (free shift)", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
