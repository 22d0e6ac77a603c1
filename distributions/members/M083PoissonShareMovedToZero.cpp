// SPDX-License-Identifier: GPL-3.0-or-later
// Member 83: Poisson distribution with a share b of class 1 moved to class 0.
//   P(0) = e^{-a} (1 + a b);  P(1) = e^{-a} a (1 - b);  P(x) = e^{-a} a^x / x!,  x = 2, 3, ...;
//   a > 0, b in (0, 1). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  E[0] = std::sqrt(in.stat.fm2);
  E[1] = f0 / N + m1 - 1;
  E[2] = (std::sqrt(E[1] * E[1] + 4 * (m1 - f1 / N)) + E[1]) / 2;
  E[50] = std::exp(E[0]) * (1 - m1 / E[0]);
  // b from f[0]/f[1] = (1 + a b)/(a (1 - b)) with a = E[2].
  const double a = E[2];
  E[51] = (a * f0 - f1) / (a * (f0 + f1));
}

// Alt 1: (E[0], E[50]); Alt 2: (E[2], E[51]); Alt 3: the means.
constexpr Alternative kAlternativen[] = {{{0}, {50}}, {{2}, {51}}, {{0, 2}, {50, 51}}};

// Below this e^-a has lost digits (or is 0) and the Poisson classes start from the mode instead.
inline constexpr double kKleinsteVolleGenauigkeit = 1e-300;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const double ea = std::exp(-a);
  const auto klasse = [&](std::uint32_t i, double vorher) {
    if (i == 0) return N * ea * (1 + a * b);
    if (i == 1) return N * ea * a * (1 - b);
    if (i == 2) return N * ea * a * a / 2;
    return vorher * a / static_cast<double>(i);
  };
  if (ea > kKleinsteVolleGenauigkeit || L <= 4) {
    KlassenMitRest(NP, L, N, klasse);
    return;
  }
  // From a of about 690 on: classes 0..2 as written (they vanish), the Poisson classes from 3 on
  // from the one nearest the mode, in logarithms (log j! summed), and the ratios both ways.
  for (std::uint32_t i = 0; i < 3; ++i) NP[i] = klasse(i, 0);
  const std::uint32_t j = BegrenzteAnzahl(std::fmin(std::fmax(std::floor(a), 3), L - 1.0), L - 1);
  Summe logFakultaet = 0;
  for (std::uint32_t k = 2; k <= j; ++k) logFakultaet += std::log(static_cast<double>(k));
  NP[j] = N * std::exp(j * std::log(a) - a - static_cast<double>(logFakultaet));
  for (std::uint32_t i = j + 1; i < L; ++i) NP[i] = NP[i - 1] * a / static_cast<double>(i);
  for (std::uint32_t i = j; i > 3; --i) NP[i - 1] = NP[i] * static_cast<double>(i) / a;
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) summe += NP[i];
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM083PoissonShareMovedToZero{.nummer = 83,
    .name = "Poisson with a share of 1 moved to 0", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
