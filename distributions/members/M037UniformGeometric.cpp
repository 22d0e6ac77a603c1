// SPDX-License-Identifier: GPL-3.0-or-later
// Member 37: sum of a uniform variable on 0..m-1 and an independent geometric one,
// P(Y = j) = (1 - a) a^j.
//   P(i) = (1 - a^(i+1)) / m  for i < m,   P(i) = (1 - a^m) a^(i-m+1) / m  for i >= m;
//   m a natural number (fixed), 0 < a < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The written difference is kept until it would lose three digits (its operands within this of
// each other, relatively); closer, the same number comes from a form without the difference.
inline constexpr double kNahe = 1e-3;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  // P(0) = (1 - a)/m, and the geometric ratio above m.
  const double m = std::trunc(in.eig.festparameter[0]);
  const std::uint32_t im = BegrenzteAnzahl(m, kMaxKlassenIndex - 1);
  E[0] = 1 - m * in.f[0] / in.stat.summe;
  E[1] = in.f[im + 1] / in.f[im];
}

constexpr Alternative kAlternativen[] = {{{0, 1}}};

// 1 - a^e; for a near 1 through expm1, where the difference would lose the digits of a^e.
double EinsMinusPotenz(double a, double e) {
  if (a > 1 - kNahe) return -std::expm1(e * std::log(a));
  return 1 - std::pow(a, e);
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double m = std::trunc(in.eig.festparameter[0]);
  const double N = in.stat.summe;
  KlassenMitRest(NP, in.stat.n, N, [&](double i, double vorher) {
    if (i < m) return N * EinsMinusPotenz(a, i + 1) / m;
    if (i == m) return N * EinsMinusPotenz(a, m) * a / m;
    return vorher * a;
  });
}

}  // namespace

// clang-format off
const Member kM037UniformGeometric{.nummer = 37, .name = "Uniform plus geometric", .parZahl = 1,
    .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
