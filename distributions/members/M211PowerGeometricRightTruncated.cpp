// SPDX-License-Identifier: GPL-3.0-or-later
// Member 211: power law with a geometric factor, right-truncated at the last class.
//   P(x) proportional to b^x x^-a,  x = x[0]..x[L], x[0] >= 1;  a real, b > 0. Classes hold the
//   values x[i]; every class by the formula, no remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  // On the values 1, 2, 3: f[0] f[2]/f[1]^2 = (4/3)^a and f[1]/f[0] = b 2^-a.
  E[0] = std::log(g[0] * g[2] / (g[1] * g[1])) / std::log(4.0 / 3.0);
  E[1] = std::pow(2.0, E[0]) * g[1] / g[0];
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

// Up to this logarithm of one step's factor b ((x - 1)/x)^a a term below the threshold at
// which the terms are taken relative to the largest (1e300) cannot leave the double range in
// one step.
constexpr double kGrenzeLogFaktor = 16;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  // The power x^-a has no value at 0: the data must start at 1 or above.
  const double x0 = static_cast<double>(in.x[0]);
  if (x0 < 1) {
    RaiseInvalid();
    return;
  }
  // The largest factor of a step is the first one, ((x0)/(x0 + 1))^a for a < 0; b enters each
  // step alike. While the factors are representable the terms follow the written ratio (with
  // r(x[0]) = 1 instead of b: the classes are normalised over the terms), taken relative to the
  // largest where they would pass the double range. A steeper rise (a far below 0) would
  // overflow inside one factor: the terms are then taken from their closed form
  // (x - x[0]) ln b - a ln(x/x[0]), relative to the largest.
  const double logFaktor = std::fabs(std::log(b)) + std::fabs(a) * std::log1p(1 / x0);
  if (logFaktor < kGrenzeLogFaktor) {
    NormierteTermeBisL(
        NP, L, N,
        [&](std::uint32_t i, double vorher) {
          const double x = static_cast<double>(in.x[i]);
          return vorher * b * std::pow((x - 1) / x, a);
        },
        Restregel::kKeine);
    return;
  }
  const double logB = std::log(b);
  const auto logTerm = [&](std::uint32_t i) {
    const double x = static_cast<double>(in.x[i]);
    return (x - x0) * logB - a * std::log(x / x0);
  };
  double groesster = logTerm(0);
  for (std::uint32_t i = 1; i <= L; ++i) groesster = std::fmax(groesster, logTerm(i));
  Summe S = 0;
  for (std::uint32_t i = 0; i <= L; ++i) {
    NP[i] = std::exp(logTerm(i) - groesster);
    S += NP[i];
  }
  TermeNormieren(NP, L, N, S, Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM211PowerGeometricRightTruncated{.nummer = 211,
    .name = "Right-truncated power law with geometric factor", .parZahl = 2,
    .rest = Restregel::kKeine, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
