// SPDX-License-Identifier: GPL-3.0-or-later
// Member 50: zero-truncated (positive) Poisson distribution, class i holding the value i + 1,
// with estimators from the mean, the first ratio and a harmonic sum.
//   P(v) = a^v / (v! (e^a - 1)),  v = 1, 2, ...;  a > 0. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/VonInnen.h"

namespace vk::members {

namespace {

// The written difference is kept until it would lose three digits (its operands within this of
// each other, relatively); closer, the same number comes from a form without the difference.
inline constexpr double kNahe = 1e-3;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  E[1] = in.stat.m1 - f[0] / N + 1;
  E[0] = (f[0] > 0) ? 2 * f[1] / f[0] : E[1];
  // sum_i f[i]/(i + 2) is about N/a for the class index i = v - 1.
  Summe s = 0;
  for (std::uint32_t i = 0; i < L; ++i) s += f[i] / static_cast<double>(i + 2);
  E[2] = N / static_cast<double>(s);
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  if (a > 700) {
    // e^a overflows: the Poisson terms from the mode over 1 - e^-a.
    voninnen::Leeren(NP, L);
    voninnen::PoissonAddieren(NP, L, a, 1, N / -std::expm1(-a));
    RestklasseSetzen(NP, L, N, voninnen::Unterhalb(NP, L));
    return;
  }
  // e^a - 1 through expm1 where it would cancel (a small).
  const double em1 = a < kNahe ? std::expm1(a) : std::exp(a) - 1;
  RekursionMitRest(NP, L, N, N * a / em1,
                   [&](double i, double vorher) { return vorher * a / (i + 1); });
}

}  // namespace

// clang-format off
const Member kM050PositivePoissonRatios{.nummer = 50, .name = "Positive Poisson (ratio estimates)",
    .parZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
