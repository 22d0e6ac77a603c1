// SPDX-License-Identifier: GPL-3.0-or-later
// Member 108: zero-inflated negative binomial distribution.
//   P(0) = b p^k + 1 - b,  P(i) = b C(k + i - 1, i) p^k (1 - p)^i for i >= 1;  k > 0, 0 < p < 1,
//   0 < b < 1. The last class takes the remainder.
#include <cmath>
#include <limits>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/RekursionAbKlasse.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr std::uint32_t kHalbierungen = 60;

// P(1)/(1 - P(0)) = k p^k (1 - p)/(1 - p^k) does not depend on b and rises from 0 to 1 as p
// runs over (0, 1): p for a given k from the first two classes, by halving. Without a solution
// the caller's fallback.
double PAusErstenKlassen(double k, double anteil, double sonst) {
  if (!(k > 0) || !(anteil > 0 && anteil < 1)) return sonst;
  double unten = 0, oben = 1;
  for (std::uint32_t runde = 0; runde < kHalbierungen; ++runde) {
    const double p = (unten + oben) / 2;
    const double pk = std::pow(p, k);
    if (k * pk * (1 - p) / (1 - pk) < anteil) {
      unten = p;
    } else {
      oben = p;
    }
  }
  return (unten + oben) / 2;
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  const double fm3 = in.stat.fm3;
  // Classes 1..3 are free of the inflation: 2 f[2]/f[1] = (k + 1)(1 - p) and
  // 3 f[3]/f[2] = (k + 2)(1 - p).
  const double r1 = g[2] / g[1];
  const double r2 = g[3] / g[2];
  double nenner = 3 * r2 - 2 * r1;
  if (nenner == 0) nenner = 1;
  E[0] = 2 * r1 / nenner - 1;
  // Factorial moments b (k)_j ((1 - p)/p)^j: their ratios give p and k free of b.
  E[50] = fm2 * m1 / (m1 * (fm2 + fm3) - fm2 * fm2);
  E[1] = E[50] * fm3 / ((1 - E[50]) * fm2) - 2;
  if (E[1] == 0) E[1] = 1;
  E[51] = PAusErstenKlassen(E[0], g[1] / (in.stat.summe - g[0]), E[50]);
  E[100] = E[50] * m1 / ((1 - E[50]) * E[1]);
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}, {100}}, {{1}, {51}, {100}}, {{0, 1}, {50, 51}, {100}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double b = par[2];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const double pk = std::pow(p, k);
  NP[0] = N * (b * pk + (1 - b));
  // Where P(1) lies below the normal range (k in the hundreds), the classes from 1 on start at
  // the largest one, from ln P(1) = ln b + ln k + k ln p + ln(1 - p).
  const auto logP1 = [&] {
    if (!(b > 0)) return -std::numeric_limits<Summe>::infinity();
    const Summe lk = k;
    return std::log(static_cast<Summe>(b)) + std::log(lk) + lk * std::log(static_cast<Summe>(p)) +
           std::log1p(-static_cast<Summe>(p));
  };
  const Summe summe = RekursionAbKlasseGeschuetzt(
      NP, L, N, 1, L > 0 ? NP[0] : 0.0, b * k * pk * (1 - p), N * b * k * pk * (1 - p), logP1,
      [&](double i, double vorher) { return vorher * (i + k - 1) * (1 - p) / i; });
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM108ZeroInflatedNegativeBinomial{.nummer = 108,
    .name = "Zero-inflated negative binomial", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
