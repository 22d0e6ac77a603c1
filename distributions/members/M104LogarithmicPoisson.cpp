// SPDX-License-Identifier: GPL-3.0-or-later
// Member 104: logarithmic-Poisson distribution, the logarithmic stopped sum of Poisson summands.
//   G(s) = ln(1 - r e^(a(s-1))) / ln(1 - r);  a > 0, 0 < r < 1. a <= 0 becomes 0.1 and r of 1 or
//   more is pulled back into (0, 1), both written back. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/LogarithmischPoisson.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr std::uint32_t kFixpunktRunden = 11;
inline constexpr double kFixpunktToleranz = 0.0001;
inline constexpr std::uint32_t kHalbierungen = 60;
inline constexpr std::uint32_t kNewtonRunden = 20;
inline constexpr double kNewtonToleranz = 1e-12;

// P(0) = ln(1 - r e^-a)/ln(1 - r) falls from e^-a at r -> 0 to 0 at r -> 1: r for a given zero
// share by halving (0, 1). Without a solution (a zero share of e^-a or more, or none at all) the
// caller's fallback.
double RAusNullanteil(double a, double anteil, double sonst) {
  if (!(a > 0) || !(anteil > 0) || anteil >= std::exp(-a)) return sonst;
  const double q = std::exp(-a);
  double unten = 0, oben = 1;
  for (std::uint32_t runde = 0; runde < kHalbierungen; ++runde) {
    const double r = (unten + oben) / 2;
    if (std::log1p(-r * q) / std::log1p(-r) > anteil) {
      unten = r;
    } else {
      oben = r;
    }
  }
  return (unten + oben) / 2;
}

// m1^2/fm2 = -r/ln(1 - r) =: t, whatever a is. Newton on r + t ln(1 - r) = 0, concave in r, from
// the right of its non-zero root (at 1 - e^(-1/t) the function is negative), so the steps fall
// monotonically onto it. t must lie in (0, 1); below 0.01 the root is within 1e-43 of 1.
double RAusMomenten(double t, double sonst) {
  if (!(t > 0.01 && t < 1)) return sonst;
  double r = -std::expm1(-1 / t);
  for (std::uint32_t runde = 0; runde < kNewtonRunden; ++runde) {
    const double schritt = (r + t * std::log1p(-r)) / (1 - t / (1 - r));
    r -= schritt;
    if (std::fabs(schritt) < kNewtonToleranz) break;
  }
  return r;
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  double r = 0.5;
  double lambda = 0;
  for (std::uint32_t runde = 0; runde < kFixpunktRunden; ++runde) {
    lambda = std::log(std::fabs(1 - r - 0.05));
    const double schritt =
        std::fabs(r - (M / fm2 + r / lambda) / ((lambda + 1) / (lambda * lambda)));
    r = std::fabs(r - schritt);
    InEinheitsintervallKorrigieren(r);
    if (schritt < kFixpunktToleranz) break;
  }
  E[50] = r;
  E[0] = (1 - lambda) * (in.stat.m2 - M + M * M) / M;
  E[1] = RAusNullanteil(E[0], in.f[0] / in.stat.summe, E[50]);
  // fm2/m1 = a/(1 - r): a from the second estimate of r.
  E[151] = RAusMomenten(m1 * m1 / fm2, E[50]);
  E[100] = (1 - E[151]) * fm2 / m1;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{100}, {151}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[0] <= 0) par[0] = 0.1;
  logpoisson::RKorrigieren(par[1]);
  logpoisson::Berechnen(in, NP, par[0], par[1]);
}

}  // namespace

// clang-format off
const Member kM104LogarithmicPoisson{.nummer = 104, .name = "Logarithmic-Poisson", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
