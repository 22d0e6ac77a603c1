// SPDX-License-Identifier: GPL-3.0-or-later
// Member 45: zero-inflated Poisson distribution.
//   P(0) = 1 - b + b e^-a,  P(i) = b e^-a a^i / i!  for i >= 1;  a > 0, 0 < b <= 1 (b enters
//   as |b|). The last class takes N minus the others without an absolute value.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/VonInnen.h"

namespace vk::members {

namespace {

inline constexpr std::uint32_t kSchritte = 11;
inline constexpr double kToleranz = 0.0001;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m1 = in.stat.m1;
  const double anteil = 1 - in.f[0] / in.stat.summe;
  // Moments: fm2/m1 = a and m1 = a b.
  E[0] = in.stat.fm2 / m1;
  E[1] = m1 / E[0];
  // Newton for a on a = (1 - e^-a) m1 / (1 - f[0]/N), the mean of the non-zero part.
  double a = E[0];
  for (std::uint32_t schritt = 0; schritt < kSchritte; ++schritt) {
    const double e = std::exp(-a);
    const double d = (1 - e) * (a - (1 - e) * m1 / anteil) / (1 - e * (a + 1));
    a -= d;
    if (std::fabs(d) < kToleranz) break;
  }
  E[2] = a;
  E[51] = anteil / (1 - std::exp(-E[2]));
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{2}, {51}}, {{0, 2}, {1, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = std::fabs(par[1]);
  const double N = in.stat.summe;
  const double ea = std::exp(-a);
  const std::uint32_t L = in.stat.n;
  if (ea < voninnen::kKleinsterStart && L > 0) {
    // e^-a underflows: the Poisson part from its mode, the extra zeros added to class 0.
    voninnen::Leeren(NP, L);
    voninnen::PoissonAddieren(NP, L, a, 0, N * b);
    NP[0] += N * (1 - b);
    RestklasseSetzen(NP, L, N, voninnen::Unterhalb(NP, L), Restregel::kOhneBetrag);
    return;
  }
  RekursionMitRest(
      NP, in.stat.n, N, N * (1 - b + b * ea),
      [&](double i, double vorher) { return (i == 1) ? N * b * a * ea : vorher * a / i; },
      Restregel::kOhneBetrag);
}

}  // namespace

// clang-format off
const Member kM045ZeroInflatedPoisson{.nummer = 45, .name = "Zero-inflated Poisson", .parZahl = 2,
    .rest = Restregel::kOhneBetrag, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
