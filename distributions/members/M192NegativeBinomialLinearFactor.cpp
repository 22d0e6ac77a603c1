// SPDX-License-Identifier: GPL-3.0-or-later
// Member 192: negative binomial times a power of a linear factor.
//   pgf (p/(1 - (1 - p) s))^{a+b} ((1 - g s)/(1 - g))^a,  g = (1 - p)(1 - c)/(1 - (1 - p) c);
//   b > 0, 0 < p < 1, 0 < c < 1, a = F0. Computed by NP[0] = N p^{a+b} (1 - g)^-a,
//   NP[1] = NP[0]((1 - p)(a + b) - a g), i NP[i] = ((i - 1 - d)(1 - p) + (i - 1 - a) g) NP[i-1] +
//   g (d + a - i + 2)(1 - p) NP[i-2] with d = -a - b; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double a = in.eig.festparameter[0];
  const double N = in.stat.summe;
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  E[1] = 0.5;
  E[2] = 0.5;
  for (int runde = 0; runde < 100; ++runde) {
    E[51] = E[1];
    E[52] = E[2];
    const double A = std::fabs((1 - E[51]) * a / E[51]);
    const double B = std::fabs(4 * a * ((1 - E[51]) * M / E[51] + m2 - M));
    E[1] = std::fabs(1 - (std::sqrt(A + A * B) * E[51] + (1 - E[51]) * a) / (2 * a * (1 - E[52])));
    if (E[1] >= 1) E[1] = 0.9;
    E[0] = std::fabs(M * E[1] - (1 - E[1]) * a * E[52]) / (1 - E[1]);
    E[2] =
        std::fabs(std::pow(1 - E[52] + E[52] * E[1], a) * std::pow(E[1], E[0]) * E[52] * N / g[0]);
    if (E[2] >= 1) E[2] = 0.5;
    if (std::fabs(E[1] - E[51]) < 0.0001) break;
  }
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double b = par[0];
  const double p = par[1];
  const double c = par[2];
  const double a = in.eig.festparameter[0];
  const double N = in.stat.summe;
  const long double q = 1 - static_cast<long double>(p);
  const long double d = -static_cast<long double>(a) - b;
  const long double g = q * (1 - c) / (1 - q * c);
  // In long double: p^{a+b} underflows in double once (a + b) ln p passes -745, while the
  // classes near the mode are ordinary numbers.
  long double vorher = N * std::pow(static_cast<long double>(p), a + static_cast<long double>(b)) *
                       std::pow(1 - g, -static_cast<long double>(a));
  long double vorvorher = 0;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    if (i == 0) return static_cast<double>(vorher);
    const long double x = i;
    const long double neu =
        i == 1
            ? vorher * (q * (a + b) - a * g)
            : (((x - 1 - d) * q + (x - 1 - a) * g) * vorher + g * (d + a - x + 2) * q * vorvorher) /
                  x;
    vorvorher = vorher;
    vorher = neu;
    return static_cast<double>(neu);
  });
}

}  // namespace

// clang-format off
const Member kM192NegativeBinomialLinearFactor{.nummer = 192,
    .name = "Negative binomial with a linear factor", .parZahl = 3, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
