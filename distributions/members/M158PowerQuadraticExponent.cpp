// SPDX-License-Identifier: GPL-3.0-or-later
// Member 158: terms with a quadratic exponent.
//   P(x) proportional to a^x q^(x (x - 1)),  x = 0, 1, 2, ...;  a > 0, 0 < q < 1 (a q of 0 or
//   below becomes 0.1 and is written back). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr double kErsatzQ = 0.1;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const auto g = ErsetzteKlassen(in.f, L);
  const double f3 = L >= 3 ? g[3] : 1.0;
  const double f2 = L >= 2 ? g[2] : 1.0;
  E[1] = std::sqrt(g[1] * f3 / (f2 * f2));
  if (E[1] == 0) E[1] = kErsatzQ;
  // f[c] = a q^(2 (c - 1)) f[c-1]: least squares through the origin for a.
  Summe S1 = 0, S2 = 0;
  for (std::uint32_t c = 1; c <= L; ++c) {
    const double q2c = std::pow(E[1], 2.0 * c);
    S1 += q2c * g[c] * g[c - 1];
    S2 += q2c * q2c * g[c - 1] * g[c - 1];
  }
  E[0] = E[1] * E[1] * static_cast<double>(S1 / S2);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[1] <= 0) par[1] = kErsatzQ;
  const double a = par[0];
  const double q = par[1];
  // Summed on beyond L + 100 while a term still changes the sum: with q near 1 and a large the
  // terms rise far beyond L before the quadratic exponent brings them down.
  NormierteTermeBisKonvergenz(NP, in.stat.n, in.stat.summe, 1.0, [&](double x, double vorher) {
    return vorher * a * std::pow(q, 2 * (x - 1));
  });
}

}  // namespace

// clang-format off
const Member kM158PowerQuadraticExponent{.nummer = 158, .name = "Power with a quadratic exponent",
    .parZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
