// SPDX-License-Identifier: GPL-3.0-or-later
// Member 51: zero-truncated negative binomial distribution with a modified probability of the
// value 1 (class i holds the value i + 1).
//   With B = p^k and D = k p^k (1 - p) = NB(1):  P(1) = D (1 - c) / (1 - B - D c),
//   P(v) = NB(v; k, p) / (1 - B - D c)  for v >= 2,  NB(v; k, p) = C(k + v - 1, v) p^k (1 - p)^v;
//   k > 0, 0 < p < 1, c < 1 (c = 0 is the zero-truncated negative binomial). The last class
//   takes the remainder.
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

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  // The ratios 3 f[2]/f[1] = (k + 2)(1 - p) and 4 f[3]/f[2] = (k + 3)(1 - p) of the values 2..4
  // give p and k, two ways; then c from f[0]/f[1] = 2 (1 - c)/((k + 1)(1 - p)).
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = std::fabs(1 - (4 * g[1] * g[3] - 3 * g[2] * g[2]) / (g[1] * g[2]));
  E[50] = std::fabs(3 * g[2] / ((1 - E[0]) * g[1]) - 2);
  E[100] = 1 - (1 - E[0]) * (E[50] + 1) * g[0] / (2 * g[1]);
  E[51] = std::fabs((8 * g[1] * g[3] - 9 * g[2] * g[2]) / (3 * g[2] * g[2] - 4 * g[1] * g[3]));
  if (E[51] == 0) E[51] = 1;
  E[1] = std::fabs(1 - 3 * g[2] / ((E[51] + 2) * g[1]));
  E[101] = (2 * g[1] - (E[51] + 1) * g[0] * (1 - E[1])) / (2 * g[1]);
}

constexpr Alternative kAlternativen[] = {
    {{50}, {0}, {100}}, {{51}, {1}, {101}}, {{50, 51}, {0, 1}, {100, 101}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double c = par[2];
  const double N = in.stat.summe;
  const double B = std::pow(p, k);
  const double D = k * B * (1 - p);
  // 1 - p^k through expm1 where p^k is near 1 and the difference would cancel.
  const double einsMinusB = B > 1 - kNahe ? -std::expm1(k * std::log(p)) : 1 - B;
  const double nenner = einsMinusB - D * c;
  const std::uint32_t L = in.stat.n;
  if (D < voninnen::kKleinsterStart && L > 0) {
    // p^k below the double range (a large k): the negative binomial terms of the values 1, 2, ...
    // from their mode, the value 1 weighted by 1 - c afterwards.
    voninnen::Leeren(NP, L);
    voninnen::NegBinAddieren(NP, L, k, p, 1, N / nenner);
    NP[0] *= 1 - c;
    RestklasseSetzen(NP, L, N, voninnen::Unterhalb(NP, L));
    return;
  }
  RekursionMitRest(NP, in.stat.n, N, N * (D * (1 - c) / nenner),
                   [&](std::uint32_t i, double vorher) {
                     if (i == 1) return N * ((k + 1) * D * (1 - p) / (2 * nenner));
                     const double xi = static_cast<double>(in.x[i]);
                     return vorher * (xi + k - 1) * (1 - p) / xi;
                   });
}

}  // namespace

// clang-format off
const Member kM051ModifiedPositiveNegativeBinomial{.nummer = 51,
    .name = "Positive negative binomial with modified one", .parZahl = 3, .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
