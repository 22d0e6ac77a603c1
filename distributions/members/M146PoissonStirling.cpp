// SPDX-License-Identifier: GPL-3.0-or-later
// Member 146: a Poisson-type distribution with Stirling-number classes.
//   With e = e^-a and c = e b / (1 - e b):
//   P(0) = (b + e (1 - 2b)) / (1 - e b),
//   P(i) = (a^i / i!) (1 - b)^2 / (b (1 - e b)) sum_(j=1..i) S2(i, j) j! c^j,  i >= 1;
//   a > 0, 0 < b < 1. The last class takes the remainder.
//
//   The sum over j is the i-th coefficient of the exponential generating function
//   1/(1 - c (e^t - 1)), so u_i = (a^i / i!) sum_j S2(i, j) j! c^j obeys
//   u_i = c sum_(k=1..i) (a^k / k!) u_(i-k), u_0 = 1, with positive terms only. The classes up to
//   kStirlingKlassen are formed from the Stirling numbers as written (a table built once);
//   beyond, where j! and the Stirling numbers leave the double range (i above 170) and each class
//   would cost of order i^3 for its Stirling numbers, by this recurrence, which gives the same
//   values.
#include <array>
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  const double m2 = in.stat.m2;
  const double f0 = in.f[0];
  const double f1 = in.stat.n >= 1 ? in.f[1] : 0.0;
  E[0] = m1;
  E[1] = std::fabs(1 - 2 * m1 * m1 / (m2 - m1 + 2 * m1 * m1));
  E[100] = E[0];
  E[101] = E[1];
  for (int runde = 0; runde < 11; ++runde) {
    E[50] = E[100];
    E[51] = E[101];
    E[103] = std::fabs(std::exp(-E[50]) * (1 - E[51]));
    E[100] =
        (1 - E[51]) * (1 - E[51]) * f1 / (N * (f0 / N - E[51]) * (1 - 2 * E[51] + E[51] * f0 / N));
    if (E[100] > 100) E[100] = 10;
    E[101] = std::fabs(f0 * E[103] / N - std::exp(-E[50]) * (2 * (1 - E[51]) - 1));
    // a only needs to be positive and b inside (0, 1): a forced into (0, 1) would contradict the
    // cap of 10 just above.
    NichtNegativMachen(E[100]);
    InEinheitsintervallKorrigieren(E[101]);
    if (std::fabs(E[50] - E[100]) < 0.0001) break;
  }
}

// Alt 1: (E[0], E[1]); Alt 2: (E[100], E[101]); Alt 3: ((E[0] + E[100])/2, (E[1] + E[101])/2).
constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{100}, {101}}, {{0, 100}, {1, 101}}};

inline constexpr std::uint32_t kStirlingKlassen = 30;

// S2(i, j) for i, j <= kStirlingKlassen, by the triangle S2(i, j) = j S2(i - 1, j) + S2(i - 1,
// j - 1) in double: the recurrence StirlingZweiterArt sweeps, so the same doubles (exact up to
// 2^53, rounded alike beyond), formed once at compile time instead of about i^3/6 steps for
// every class of every evaluation.
struct StirlingTabelle {
  std::array<std::array<double, kStirlingKlassen + 1>, kStirlingKlassen + 1> s{};
};

constexpr StirlingTabelle StirlingTabelleBilden() {
  StirlingTabelle t;
  t.s[0][0] = 1;
  for (std::uint32_t i = 1; i <= kStirlingKlassen; ++i)
    for (std::uint32_t j = 1; j <= i; ++j)
      t.s[i][j] = static_cast<double>(j) * t.s[i - 1][j] + t.s[i - 1][j - 1];
  return t;
}

inline constexpr StirlingTabelle kStirling = StirlingTabelleBilden();

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const long double a = par[0];
  const long double b = par[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const long double e = std::exp(-a);
  const long double c = e * b / (1 - e * b);
  const long double faktor = N * (1 - b) * (1 - b) / (b * (1 - e * b));
  Unterbrechungszaehler stopp(in);
  Summe summe = 0;
  if (L > 0) {
    NP[0] = static_cast<double>(N * (b + e * (1 - 2 * b)) / (1 - e * b));
    summe = NP[0];
  }
  long double aHochIDurchFak = 1;
  for (std::uint32_t i = 1; i < L; ++i) {
    aHochIDurchFak *= a / i;
    if (i <= kStirlingKlassen) {
      Summe s = 0;
      long double cHochJ = 1;
      for (std::uint32_t j = 1; j <= i; ++j) {
        cHochJ *= c;
        s += static_cast<long double>(kStirling.s[i][j]) * Fakultaet(j) * cHochJ;
      }
      NP[i] = static_cast<double>(faktor * aHochIDurchFak * s);
    } else {
      if (stopp.Zaehlen(i)) {
        NP[i] = 0;
        continue;
      }
      // N u_i (1 - b)^2 / (b (1 - e b)) from the classes below: NP[i - k] stands for
      // faktor u_(i-k) for i - k >= 1, and u_0 = 1 enters as faktor.
      Summe s = 0;
      long double w = 1;
      for (std::uint32_t k = 1; k < i; ++k) {
        w *= a / k;
        s += w * NP[i - k];
      }
      s += aHochIDurchFak * faktor;
      NP[i] = static_cast<double>(c * s);
    }
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM146PoissonStirling{.nummer = 146, .name = "Poisson-Stirling", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
