// SPDX-License-Identifier: GPL-3.0-or-later
// Member 96: Poisson distribution mixed with its shift by one.
//   P(i) = e^-a a^(i-1) (i b + (1 - b) a) / i! = (1 - b) Pois(i; a) + b Pois(i - 1; a),
//   i = 0, 1, 2, ...;  a > 0, b in (0, 1). Mean a + b, variance a + b (1 - b). The last class
//   takes the remainder. Where e^-a underflows the classes come from the mixture form.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PoissonTerme.h"

namespace vk::members {

namespace {

inline constexpr double kToleranz = 0.0001;
inline constexpr std::uint32_t kRundenNull = 11;
inline constexpr std::uint32_t kRundenVerhaeltnis = 21;
inline constexpr std::uint32_t kRundenZweite = 31;

// b inside (0, 1): a value of 1 or more becomes 0.9, one below 0.0001 becomes 0.01.
void AnteilBegrenzen(double& b) {
  if (b >= 1) b = 0.9;
  InEinheitsintervallKorrigieren(b);
}

// a from the mean a + b; where b exceeds the mean, half the mean.
double RateAusMittel(double m1, double b) {
  return m1 > b ? m1 - b : m1 / 2;
}

// Three iterations for b, each with a = m1 - b from the mean:
//   1. the zero class, f~[0]/N = e^-a (1 - b): b <- 1 - e^a f~[0]/N from b = 0.5 (the step's
//      slope is 1 - b, so it contracts), at most 11 rounds -> E[0], E[50];
//   2. the first ratio, f~[1]/f~[0] = a + b/(1 - b), that is b^2 + c b - c = 0 with
//      c = f~[1]/f~[0] - m1: Newton from E[50], at most 21 rounds -> E[1], E[51];
//   3. the second ratio, 2 f~[2] (b + (1 - b) a) = f~[1] a (2 b + (1 - b) a): Newton from E[51],
//      at most 31 rounds -> E[2], E[52].
// Slot 3: the variance, b^2 = m1 - m2 -> E[3], E[53].
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& s = in.stat;
  const double m1 = s.m1;
  const auto [g0, g1, g2, g3] = ErsetzteAnfangsklassen(in.f, s.n);
  const double null = g0 / s.summe;

  double b = 0.5;
  for (std::uint32_t runde = 0; runde < kRundenNull; ++runde) {
    double neu = 1 - std::exp(RateAusMittel(m1, b)) * null;
    AnteilBegrenzen(neu);
    const double d = neu - b;
    b = neu;
    if (std::fabs(d) < kToleranz) break;
  }
  E[50] = b;
  E[0] = RateAusMittel(m1, b);

  const double c = g1 / g0 - m1;
  for (std::uint32_t runde = 0; runde < kRundenVerhaeltnis; ++runde) {
    const double nenner = 2 * b + c;
    if (nenner == 0) break;
    double neu = b - (b * b + c * b - c) / nenner;
    AnteilBegrenzen(neu);
    const double d = neu - b;
    b = neu;
    if (std::fabs(d) < kToleranz) break;
  }
  E[51] = b;
  E[1] = RateAusMittel(m1, b);

  const double r2 = g2 / g1;
  for (std::uint32_t runde = 0; runde < kRundenZweite; ++runde) {
    const double a = m1 - b;
    const double u = b + (1 - b) * a;
    const double v = 2 * b + (1 - b) * a;
    const double h = 2 * r2 * u - a * v;
    const double dh = 2 * r2 * (b - a) + v - a * (1 - a + b);
    if (dh == 0) break;
    double neu = b - h / dh;
    AnteilBegrenzen(neu);
    const double d = neu - b;
    b = neu;
    if (std::fabs(d) < kToleranz) break;
  }
  E[52] = b;
  E[2] = RateAusMittel(m1, b);

  E[53] = std::sqrt(std::fabs(m1 - s.m2));
  AnteilBegrenzen(E[53]);
  E[3] = RateAusMittel(m1, E[53]);
}

// Alt 1: (E[0], E[50]); Alt 2: (E[1], E[51]); Alt 3: (mean of E[0..2], |mean of E[50..52]|);
// Alt 4: (E[2], E[52]); Alt 5: (E[3], E[53]).
constexpr Alternative kAlternativen[] = {
    {{0}, {50}}, {{1}, {51}}, {{0, 1, 2}, Betrag({50, 51, 52})}, {{2}, {52}}, {{3}, {53}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const double ea = std::exp(-a);
  if (ea != 0 || L == 0) {
    RekursionMitRest(NP, L, N, N * ea * (1 - b), [&](double i, double vorher) {
      return vorher * a * (i * b + (1 - b) * a) / (i * (a + (i - 1 - a) * b));
    });
    return;
  }
  // From a of about 745 on e^-a is 0 and the recurrence would give 0 below the last class. The
  // same classes as the mixture (1 - b) Pois(i; a) + b Pois(i - 1; a): the Poisson terms from
  // the mode, mixed in place from the top down.
  poissonterme::Schreiben(NP, L, N, a);
  Summe summe = 0;
  for (std::uint32_t i = L; i-- > 0;) {
    NP[i] = (1 - b) * NP[i] + (i >= 1 ? b * NP[i - 1] : 0.0);
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM096PoissonShiftedMixture{.nummer = 96, .name = "Poisson mixed with its shift by one",
    .parZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
