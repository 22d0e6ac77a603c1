// SPDX-License-Identifier: GPL-3.0-or-later
// Member 185: negative binomial of second order.
//   pgf ((1 - a - b)/(1 - a s - b s^2))^k;  0 < a < 1, b >= 0, k > 0, with 1 - a - b > 0: a b
//   that leaves 1 - a - b <= 0 is capped to 1 - a - 0.0001 and written back. b = 0 is the
//   negative binomial distribution with p = 1 - a. Computed by NP[0] = N |1 - a - b|^k,
//   NP[1] = NP[0] a k, i NP[i] = |(i + k - 1) a NP[i-1] + (2k + i - 2) b NP[i-2]|; the last
//   class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// Mean k(a + 2b)/(1 - a - b); P(1)/P(0) = a k; P(2)/P(0) = k(k + 1) a^2/2 + k b. Alternative
// 1 is the negative binomial (b = 0) by its moments; 2 takes k from it and a, b from the first
// two ratios (the negative binomial's where they leave 1 - a - b <= 0); 3 keeps that a and b and
// takes k from the zero class; 4 keeps k and a and takes b from the mean; 5 is the mean of the
// four.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double N = in.stat.summe;
  const double M = in.stat.m1x0;
  const double d = in.stat.m2 - M;
  const double k = d > 1e-6 ? M * M / d : 10 * M;
  E[0] = M / (M + k);
  E[50] = 0;
  E[100] = k;
  E[1] = g[1] / g[0] / k;
  E[51] = std::fabs(g[2] / g[0] - k * (k + 1) * E[1] * E[1] / 2) / k;
  // Ratios that leave 1 - a - b <= 0 would start at the cap, with nearly all mass beyond the
  // classes: the negative binomial's a and b instead.
  if (!(E[1] + E[51] < 1)) {
    E[1] = E[0];
    E[51] = E[50];
  }
  E[101] = k;
  E[2] = E[1];
  E[52] = E[51];
  const double q = 1 - E[1] - E[51];
  E[102] = q > 0 && q < 1 ? std::log(g[0] / N) / std::log(q) : k;
  E[3] = E[1];
  E[53] = std::fabs((M * (1 - E[1]) - k * E[1]) / (2 * k + M));
  E[103] = k;
}

constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}},
                                         {{1}, {51}, {101}},
                                         {{2}, {52}, {102}},
                                         {{3}, {53}, {103}},
                                         {{0, 1, 2, 3}, {50, 51, 52, 53}, {100, 101, 102, 103}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  if (1 - a - par[1] <= 0) par[1] = 1 - a - 0.0001;
  const double b = par[1];
  const double k = par[2];
  const double N = in.stat.summe;
  // In long double: N |1 - a - b|^k underflows in double once k ln(1 - a - b) passes -745 (the
  // cap leaves 1 - a - b = 0.0001, so k of about 80 suffices), although the classes near the mode
  // are ordinary numbers.
  long double vorher = N * std::pow(std::fabs(1 - static_cast<long double>(a) - b), k);
  long double vorvorher = 0;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    if (i == 0) return static_cast<double>(vorher);
    const long double x = i;
    const long double neu =
        i == 1 ? vorher * a * k
               : std::fabs(((x + k - 1) * a * vorher + (2 * k + x - 2) * b * vorvorher) / x);
    vorvorher = vorher;
    vorher = neu;
    return static_cast<double>(neu);
  });
}

}  // namespace

// clang-format off
const Member kM185SecondOrderNegativeBinomial{.nummer = 185,
    .name = "Negative binomial of second order", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
