// SPDX-License-Identifier: GPL-3.0-or-later
// Member 88: Poisson stopped sum of zero-truncated Poisson summands.
//   pgf exp(lambda (g(s) - 1)) with g(s) = (e^(bs) - 1)/(e^b - 1) and lambda = a (e^b - 1)/b:
//   P(0) = exp(-a (e^b - 1)/b),  P(x) = (a/x) sum_{j=0}^{x-1} (b^j / j!) P(x - 1 - j);
//   a > 0, b > 0. The last class takes the remainder.
#include <cmath>
#include <vector>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The moment start of alternative 4 is held to these bounds, beyond which it is replaced.
inline constexpr double kGrenze = 5;
inline constexpr double kErsatzA = 1;
inline constexpr double kErsatzB = 2;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const std::vector<double> g = ErsetzteKlassen(in.f, L);
  const auto [g0, g1, g2, g3] = ErsetzteAnfangsklassen(in.f, L);
  E[1] = g1 / g0;
  E[51] = (2 - E[1] * E[1]) / E[1];
  E[52] = (2 * g2 - g1 * g1 / g0) / g1;
  // For each class i the convolution terms o_j = beta^j/j! f~[i-1-j], j < i.
  const double beta = (E[51] + E[52]) / 2;
  Summe zaehler = 0, nenner = 0;
  for (std::uint32_t i = 1; i <= L; ++i) {
    Summe quadrate = 0, summe = 0;
    double w = 1;
    for (std::uint32_t j = 0; j < i; ++j) {
      if (j > 0) w *= beta / j;
      const double o = w * g[i - 1 - j];
      quadrate += o * o;
      summe += o;
    }
    zaehler += quadrate;
    nenner += g[i] * summe;
  }
  E[3] = static_cast<double>(zaehler / nenner);
  const double M = in.stat.m1x0;
  E[101] = (in.stat.fm2 - M) / M;
  E[100] = std::exp(-E[101]) * (in.stat.fm2 / M - E[101]);
  if (E[100] > kGrenze) E[100] = kErsatzA;
  if (E[101] > kGrenze) E[101] = kErsatzB;
}

constexpr Alternative kAlternativen[] = {
    {{1}, {51}}, {{3}, {52}}, {{1, 3}, {51, 52}}, {{100}, {101}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  Unterbrechungszaehler stopp(in);
  // (e^b - 1)/b as expm1(b)/b: the same value, without the cancellation of e^b - 1 at small b.
  const double lambda = a * std::expm1(b) / b;
  const auto schritt = [&](std::uint32_t x, double) {
    // O(L^2) in all: a cancel must not wait for the whole evaluation.
    if (stopp.Zaehlen(x)) return 0.0;
    double w = 1;
    Summe faltung = NP[x - 1];
    for (std::uint32_t j = 1; j < x; ++j) {
      w *= b / static_cast<double>(j);
      faltung += w * NP[x - 1 - j];
    }
    return a * static_cast<double>(faltung) / static_cast<double>(x);
  };
  // The recurrence is linear in the classes: where e^-lambda lies below the normal range it runs
  // on scaled ones.
  LineareRekursionMitRest(NP, L, N, std::exp(-lambda), -static_cast<Summe>(lambda), schritt);
}

}  // namespace

// clang-format off
const Member kM088PoissonPositivePoisson{.nummer = 88, .name = "Poisson-stopped positive Poisson",
    .parZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
