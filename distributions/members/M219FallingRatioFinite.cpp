// SPDX-License-Identifier: GPL-3.0-or-later
// Member 219: finite distribution with ratio 1 - a/x.
//   P(x) = C(x - a, x)/C(b - a, b - 1),  x = 0..b-1;  a < 1, b natural (the number of values).
//   The normaliser is the sum of C(x - a, x) over x < b, so the classes from Int(b) on are 0
//   (the ratio 1 - a/x alone would go on giving them mass, and the table would sum above N).
//   The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const auto g = ErsetzteAnfangsklassen(in.f, L);
  E[0] = 1 - g[1] / g[0];
  E[1] = static_cast<double>(in.x[L]) - static_cast<double>(in.x[0]) + 1;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

// Up to this logarithm C(b - a, Int(b) - 1) stays an ordinary double.
constexpr double kGrenzeLogBinom = 700;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const auto k = static_cast<std::int32_t>(FaktorAnzahl(b)) - 1;
  // With a far below 0 the terms rise steeply and C(b - a, b - 1) passes the double range
  // while the classes near the last value are ordinary numbers: there the first class is
  // taken from log C = lgamma(b - a + 1) - lgamma(b) - lgamma(2 - a) and the recurrence starts
  // at the largest class (for a whole b, a < 1).
  const auto logC = [&] {
    const Summe bl = b, al = a;
    return std::lgamma(bl - al + 1) - std::lgamma(bl) - std::lgamma(2 - al);
  };
  // C(b - a, k), k = Int(b) - 1, as the product of (t + i)/i over i = 1..k, t = (b - Int(b)) +
  // (1 - a): the numerators b - a - i + 1 of the written product in reverse order. Its factors
  // then only grow, so it passes the double range only where the result does (in the written
  // order it rises to about C(b, b/2) first), and b - a - k no longer cancels for large b.
  const bool geschlossen = k < 1 || a >= 1 || logC() < kGrenzeLogBinom;
  const double t = (b - (k + 1)) + (1 - a);
  const std::uint32_t faktoren = k > 0 ? static_cast<std::uint32_t>(k) : 0;
  const double p0 = !geschlossen ? 0.0
                    : k < 0
                        ? 1 / Binomialkoeffizient(k, b - a)
                        : 1 / Produkt(1.0, 1, faktoren + 1, [&](double i) { return (t + i) / i; });
  const double letzter = k;  // the last value of the support
  RekursionMitRestGeschuetzt(
      NP, in.stat.n, N, p0, [&] { return -logC(); },
      [&](double x, double vorher) { return x > letzter ? 0.0 : vorher * (1 - a / x); });
}

}  // namespace

// clang-format off
const Member kM219FallingRatioFinite{.nummer = 219, .name = "Finite falling-ratio distribution",
    .parZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
