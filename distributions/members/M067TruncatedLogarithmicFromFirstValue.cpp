// SPDX-License-Identifier: GPL-3.0-or-later
// Member 67: logarithmic series distribution truncated to the data's values x_0..x_L.
//   P(x) proportional to a^x / x;  a > 0 (the truncation allows a >= 1). All classes normalised
//   over the classes, none a remainder; the same frequencies as member 55, with estimates for
//   data that start at any value above 0.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& s = in.stat;
  const KlassenHaeufigkeiten& f = in.f;
  const auto g = ErsetzteAnfangsklassen(f, s.n);
  // The first ratio f[1]/f[0] = a x_0/(x_0 + 1): the member has no fixed parameter, the first
  // value is the data's.
  const double x0 = static_cast<double>(in.x[0]);
  E[0] = (x0 + 1) * g[1] / (x0 * g[0]);
  Summe z2 = 0, z3 = 0, q3 = 0;
  for (std::uint32_t i = 0; i < s.n; ++i) {
    const double x = static_cast<double>(in.x[i]);
    // Data from 1 give the first class no ratio term: its x - 1 is 0.
    if (x != 1) z2 += x * f[i + 1] / (x - 1);
    z3 += x * f[i + 1];
    q3 += (x - 1) * f[i];
  }
  E[2] = static_cast<double>(z2) / (s.summe - f[s.n]);
  E[3] = static_cast<double>(z3 / q3);
}

constexpr Alternative kAlternativen[] = {{{0, 2, 3}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  // a^x / x overflows for a above 1 and large values, and underflows below 1: the terms are taken
  // as exp(x ln a - ln x - c), c being the larger of the two ends (x ln a - ln x is convex in x, so
  // its maximum over the classes is at one of them).
  const double la = std::log(a);
  const auto logTerm = [&](std::uint32_t i) {
    const double x = static_cast<double>(in.x[i]);
    return x * la - std::log(x);
  };
  const double c = std::max(logTerm(0), logTerm(L));
  NormierteTerme(
      NP, L, L, in.stat.summe, std::exp(logTerm(0) - c),
      [&](std::uint32_t i, double) { return std::exp(logTerm(i) - c); }, Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM067TruncatedLogarithmicFromFirstValue{.nummer = 67,
    .name = "Truncated logarithmic from the first value", .parZahl = 1,
    .traeger = Traeger::kNichtNull, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
