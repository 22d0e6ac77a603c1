// SPDX-License-Identifier: GPL-3.0-or-later
// Member 52: reflected right-truncated Poisson distribution.
//   P(i) proportional to a^i (n - 2)! / (n - 2 - i)!,  i = 0..L, i.e. n - 2 - i is Poisson
//   with mean 1/a, cut to the classes; n a natural number above L + 1 (fixed), a > 0.
//   Normalised over the classes 0..L, all of them by the formula (no tail class).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const double n = in.eig.festparameter[0];
  E[1] = (1 - f[0] / in.stat.summe) / (n - in.stat.m1);
  E[0] = (f[0] > 0) ? f[1] / (n * f[0]) : E[1];
  // Ratio regressions with the weights d_i = L - i of the classes 0..L-1.
  const std::uint32_t L = in.stat.n;
  Summe df = 0, dff = 0, ddff = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double d = static_cast<double>(L - i);
    df += d * f[i];
    dff += d * f[i] * f[i + 1];
    ddff += d * d * f[i] * f[i];
  }
  E[2] = (in.stat.summe - f[0]) / static_cast<double>(df);
  E[3] = static_cast<double>(dff / ddff);
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2, 3}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double n = in.eig.festparameter[0];
  // The terms rise by (n - i - 1) a each, past the double range for a few hundred classes with
  // (n - L) a above 1: they are carried scaled, which leaves the normalised classes as they are.
  const std::uint32_t L = in.stat.n;
  SkalierteNormierteKlassen(NP, L, in.stat.summe,
                            [&](std::uint32_t i, double r) { return r * (n - i - 1) * a; });
}

}  // namespace

// clang-format off
const Member kM052ReflectedTruncatedPoisson{.nummer = 52, .name = "Reflected truncated Poisson",
    .parZahl = 1, .festparZahl = 1, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
