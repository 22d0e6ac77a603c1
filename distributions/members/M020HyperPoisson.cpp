// SPDX-License-Identifier: GPL-3.0-or-later
// Member 20: hyper-Poisson distribution.
//   P(i) = a^i / ((b)_i 1F1(1; b; a)),  i = 0, 1, 2, ...;  a > 0, b > 0; (b)_i the rising
//   factorial. The normalising series is taken over i = 0..L+100 and on while a term still
//   changes its sum (its terms rise up to i near a - b, far beyond L + 100 for a large a); the
//   last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const auto [f0, f1, f2, f3] = Anfangsklassen(in.f, L);
  const double N = in.stat.summe;
  const double q = f0 / N;
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  const double m3 = in.stat.m3;

  // Mean and variance with the zero frequency.
  E[0] = std::fabs(((1 - q) * (M * M + m2) - M * M) / (1 - q * (M + 1)));
  E[1] = (m2 - M) / (1 - (M + 1) * q) + 1;
  // The first three moments.
  E[50] = (M * (3 * M * m2 + m3 + M * M * M) - (m2 + M * M) * (m2 + M * M)) / (M + M * M - m2);
  E[51] = (M + 1) * E[50] / M + 1 - (M * M + m2) / M;
  // Mean, zero frequency and first ratio.
  E[100] = (q + M - 1) * f1 / (f1 + f0 * f0 / N - f0);
  E[101] = E[100] * f0 / f1;

  // Ratio regression f[i+1] = a f[i]/(b + i) with b the mean of the two moment estimates, on the
  // zero-replaced frequencies.
  const double c = (E[1] + E[51]) / 2;
  E[2] = VerhaeltnisRegression(ErsetzteKlassen(in.f, L), L,
                               [c](std::uint32_t i) { return c + static_cast<double>(i); });
}

constexpr Alternative kAlternativen[] = {
    {{0}, {1}}, {{50}, {51}}, {{100}, {101}}, {{2}, {1, 51}}, {{0, 50, 100, 2}, {1, 51, 101}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const std::uint32_t L = in.stat.n;
  // The ratio a / (i + b - 1) falls for good, so the terms rise up to the mode near a - b + 1
  // and then fall at least as fast as e^(-j^2 / 4a) j terms past it: 16 sqrt(a) terms beyond the
  // mode no term changes the sum any more. A sum that ends well before the fault's bound may stop
  // early; one whose terms still rise at the bound cannot end there and fails as it would after
  // the whole sum; between the two the sum runs as before.
  const double schranke = UnendlicherTraeger(L) + static_cast<double>(kMaxWeitereTerme);
  const double modus = a - b + 1;
  const bool steigtBisSchranke = b > 0 && a >= schranke + b - 1;
  if (steigtBisSchranke) RaiseInvalid();
  const bool endetFrueh =
      a > 0 && b > 0 && (steigtBisSchranke || modus + 16 * std::sqrt(a) + 100 < schranke);
  NormierteTermeBisKonvergenz(
      NP, L, in.stat.summe, 1, [&](double i, double vorher) { return vorher * a / (i + b - 1); },
      endetFrueh);
}

}  // namespace

// clang-format off
const Member kM020HyperPoisson{.nummer = 20, .name = "Hyper-Poisson", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
