// SPDX-License-Identifier: GPL-3.0-or-later
// Member 66: geometric distribution on the values F0..F1 (truncated on both sides).
//   P(class i) = p^i (1 - p) / (1 - p^(F1 - F0 + 1)),  i = 0..F1 - F0;  p > 0 (the truncation
//   allows p of 1 or more), F0 <= F1 the data's first and last values. All classes by the formula,
//   none a remainder.
#include <cmath>
#include <vector>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& s = in.stat;
  const double N = s.summe;
  const double F0 = in.eig.festparameter[0];
  const double F1 = in.eig.festparameter[1];
  const std::vector<double> g = ErsetzteKlassen(in.f, s.n);
  E[0] = (1 - g[0] / N) / (1 - g[s.n] / N);
  E[1] = g[1] / g[0];
  E[2] = (s.fm2 + s.m1 - s.m1 * (F1 + 1) + F0 * (F1 - F0 + 1) * g[0] / N) /
         (s.fm2 + s.m1 - s.m1 * (F1 - 1) - F1);
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const double K = in.eig.festparameter[1] - in.eig.festparameter[0] + 1;
  // The support must hold at least its first value.
  if (!(K >= 1)) RaiseInvalid();
  // The written (1 - p)/(1 - p^K) is 0/0 at p = 1 and loses digits near it; with l = ln p (from
  // p - 1, which is exact there) it is expm1(l)/expm1(K l), exact to rounding on both sides of 1
  // and K^-1 at 1. Above 1 the classes grow: the last is computed first, P(L) =
  // p^(L-K+1) (1 - 1/p)/(1 - p^-K), and the others follow downwards, so that a steep rise
  // cannot overflow before the normaliser brings it back.
  if (p <= 1) {
    double p0 = 1;
    if (p == 1) {
      p0 = 1 / K;
    } else if (p != 0) {
      const double l = std::log1p(p - 1);
      p0 = std::expm1(l) / std::expm1(K * l);
    }
    for (std::uint32_t i = 0; i <= L; ++i) NP[i] = i == 0 ? N * p0 : NP[i - 1] * p;
    return;
  }
  const double l = std::log1p(p - 1);
  NP[L] = N * std::exp((L - K + 1) * l) * std::expm1(-l) / std::expm1(-K * l);
  for (std::uint32_t i = L; i-- > 0;) NP[i] = NP[i + 1] / p;
}

}  // namespace

// clang-format off
const Member kM066DoublyTruncatedGeometric{.nummer = 66, .name = "Doubly truncated geometric",
    .parZahl = 1, .festparZahl = 2, .traeger = Traeger::kNichtNull, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
