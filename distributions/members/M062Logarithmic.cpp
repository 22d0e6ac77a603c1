// SPDX-License-Identifier: GPL-3.0-or-later
// Member 62: logarithmic series distribution.
//   P(x) = -a^x / (x ln(1 - a)),  x = 1, 2, ...;  0 < a < 1. The recurrence runs on the class
//   values; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& s = in.stat;
  const double N = s.summe;
  const double m1 = s.m1;
  const auto g = ErsetzteAnfangsklassen(in.f, s.n);
  E[0] = 2 * g[1] / g[0];
  E[1] = 1 - g[0] / (N * m1);
  E[2] = 1 - m1 / (m1 + s.fm2);
  const double l = std::log(m1);
  E[3] = 1 - 1 / (l * ((5.0 / 3 - l / 16) * (m1 - 1) + 2) + 1);
  // f[i+1] = a u_i with u_i = x f[i] / (x + 1).
  Summe z = 0, q = 0;
  for (std::uint32_t i = 0; i < s.n; ++i) {
    const double x = static_cast<double>(in.x[i]);
    const double u = x * in.f[i] / (x + 1);
    z += u * in.f[i + 1];
    q += u * u;
  }
  E[51] = static_cast<double>(z / q);
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2, 3, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  // ln(1 - a) through log1p: for a small a, 1 - a has already lost the digits of a that the
  // logarithm needs.
  RekursionMitRest(NP, in.stat.n, N, N * (-a / std::log1p(-a)), [&](std::uint32_t i, double v) {
    const double x = static_cast<double>(in.x[i]);
    return v * (x - 1) * a / x;
  });
}

}  // namespace

// clang-format off
const Member kM062Logarithmic{.nummer = 62, .name = "Logarithmic", .parZahl = 1,
    .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
