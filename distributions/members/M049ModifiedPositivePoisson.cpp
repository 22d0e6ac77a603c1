// SPDX-License-Identifier: GPL-3.0-or-later
// Member 49: zero-truncated Poisson distribution with a modified probability of the value 1
// (class i holds the value i + 1).
//   P(1) = a (1 - b) / (e^a - 1 - a b),  P(v) = a^v / (v! (e^a - 1 - a b))  for v >= 2;
//   a > 0, b < 1 (b = 0 is the zero-truncated Poisson). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/VonInnen.h"

namespace vk::members {

namespace {

// The written difference is kept until it would lose three digits (its operands within this of
// each other, relatively); closer, the same number comes from a form without the difference.
inline constexpr double kNahe = 1e-3;

inline constexpr std::uint32_t kSchritte = 11;
inline constexpr double kToleranz = 0.0001;
inline constexpr double kGrossesA = 20;
inline constexpr double kErsatzA = 10;
// e^a - 1 - a vanishes at a = 0: Newton stays above this.
inline constexpr double kKleinstesA = 0.01;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  const auto g = ErsetzteAnfangsklassen(f, in.stat.n);
  // P(3)/P(2) = a/3, then b from P(1)/P(2) = 2 (1 - b)/a.
  E[50] = 3 * g[2] / g[1];
  E[0] = 1 - E[50] * g[0] / (2 * g[1]);
  E[1] = (fm2 - E[50] * m1) / fm2 / std::exp(-E[50]);
  // The mean of the values from 2 on, a (e^a - 1)/(e^a - 1 - a) for the Poisson part.
  E[2] = (N * m1 - g[0]) / (N - g[0]);

  double a = E[50];
  for (std::uint32_t schritt = 0; schritt < kSchritte; ++schritt) {
    const double ea = std::exp(a);
    const double u = ea - 1;
    const double w = ea - 1 - a;
    const double h = a * u / w - E[2];
    const double h1 = ((u + a * ea) * w - a * u * u) / (w * w);
    const double d = h / h1;
    a -= d;
    if (a > kGrossesA) a = kErsatzA;
    if (a < kKleinstesA) a = kKleinstesA;
    if (std::fabs(d) < kToleranz) break;
  }
  E[53] = a;
}

constexpr Alternative kAlternativen[] = {
    {{50}, {0}}, {{50}, {1}}, {{53}, {0, 1}}, {{50, 53}, {0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  if (a > 700) {
    // e^a overflows: the terms a^v/v!/(e^a - 1 - a b) as Poisson terms from the mode over
    // 1 - e^-a (1 + a b), the value 1 scaled by 1 - b.
    voninnen::Leeren(NP, L);
    voninnen::PoissonAddieren(NP, L, a, 1, N / (1 - std::exp(-a) * (1 + a * b)));
    if (L > 0) NP[0] *= 1 - b;
    RestklasseSetzen(NP, L, N, voninnen::Unterhalb(NP, L));
    return;
  }
  double nenner = std::exp(a) - 1 - a * b;
  if (a < 0.5 && (a < kNahe || a / 2 + (1 - b) < kNahe)) {
    // e^a - 1 - a b cancels for small a (to about a^2/2 at b = 1): the same number as
    // a (1 - b) + sum_{k >= 2} a^k/k!.
    Summe reihe = 0;
    double glied = a;
    for (std::uint32_t k = 2; k < 100; ++k) {
      glied *= a / k;
      const Summe neu = reihe + glied;
      if (neu == reihe) break;
      reihe = neu;
    }
    nenner = static_cast<double>(reihe + a * (1 - b));
  }
  RekursionMitRest(NP, L, N, N * (a * (1 - b) / nenner), [&](std::uint32_t i, double vorher) {
    if (i == 1) return N * (a * a / (2 * nenner));
    return vorher * a / static_cast<double>(in.x[i]);
  });
}

}  // namespace

// clang-format off
const Member kM049ModifiedPositivePoisson{.nummer = 49,
    .name = "Positive Poisson with modified one", .parZahl = 2, .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
