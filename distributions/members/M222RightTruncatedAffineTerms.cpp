// SPDX-License-Identifier: GPL-3.0-or-later
// Member 222: right-truncated distribution of affinely recurrent terms.
//   P(i) proportional to r[i], i = 0..L, r[0] = 1 and for i >= 1
//     b > -1:  r[i] = c - e/(i - a - 1) + e r[i-1]/(i - a - b - 2),  e = b c/(b + 1);
//     b <= -1: r[i] = c - c r[i-1]/(i - a - 1)^2;
//   a, b real, c > 0. Every class by the formula, no remainder. Where a term comes out negative
//   the parameters describe no distribution.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// c: the mean of four estimates, each from a different feature of the data. One that cannot be
// formed (a denominator of 0) takes the mean of those that can; f[1]/f[0] with f[0] = 0 takes H.
double ShareStart(const Eingaben& in) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  const double D = static_cast<double>(in.x[L]);
  const double nH = fm2 - m1 * (D - 2) - D;
  const double nMittel = m1 - D;
  const double nRest = N - f[L];
  const bool gueltig[4] = {nMittel != 0, nH != 0, f[0] != 0 || nH != 0, nRest != 0};
  double t[4] = {0, 0, 0, 0};
  if (gueltig[0]) t[0] = (m1 - (1 - f[0] / N) * (D + 1)) / nMittel;
  if (gueltig[1]) t[1] = (fm2 - D * m1) / nH;
  if (gueltig[2]) t[2] = f[0] != 0 ? f[1] / f[0] : t[1];
  if (gueltig[3]) t[3] = (N - f[0]) / nRest;
  Summe summe = 0;
  int anzahl = 0;
  for (int j = 0; j < 4; ++j) {
    if (gueltig[j]) {
      summe += t[j];
      ++anzahl;
    }
  }
  const double ersatz = anzahl > 0 ? static_cast<double>(summe / anzahl) : 1.0;
  for (int j = 0; j < 4; ++j)
    if (!gueltig[j]) t[j] = ersatz;
  return (t[0] + t[1] + t[2] + t[3]) / 4;
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const double m = static_cast<double>(in.x[L]) - static_cast<double>(in.x[0]) + 1;
  E[0] = E[50] = E[100] = m;
  E[101] = 0;
  E[102] = ShareStart(in);
  // b from the first three classes: the two roots of A b^2 + B b + C = 0, c then from f[1]/f[0].
  // Without those classes (f[0] f[2] = 0), without real roots or with A = 0 the slots take
  // E[101] and E[102].
  const double f0 = f[0], f1 = KlasseOderNull(f, L, 1), f2 = KlasseOderNull(f, L, 2);
  E[1] = E[51] = E[101];
  E[2] = E[52] = E[102];
  if (f0 * f2 == 0) return;
  const double q = f1 * f1 / (f0 * f2);
  const double A = q * (m - 1) * (m - 1) - m * (m - 2);
  const double B = 2 * q * (m - 1) * (m - 1) * (m - 2) - 2 * (m - 1) * (m - 2);
  const double C = q * m * (m - 1) * (m - 1) * (m - 2);
  const double diskriminante = B * B - 4 * A * C;
  if (A == 0 || diskriminante < 0) return;
  const double w = std::sqrt(diskriminante);
  E[1] = (w - B) / (2 * A);
  E[51] = (-w - B) / (2 * A);
  const auto share = [&](double b) {
    const double nenner = b / (m - 1) + 1;
    return nenner != 0 ? (f1 / f0) * (b / m + 1) / nenner : E[102];
  };
  E[2] = share(E[1]);
  E[52] = share(E[51]);
}

// Alts (a, b, c): 1 (E[0], E[1], E[2]); 2 (E[50], E[51], E[52]); 3 (E[100], E[101], E[102]).
constexpr Alternative kAlternativen[] = {
    {{0}, {1}, {2}}, {{50}, {51}, {52}}, {{100}, {101}, {102}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double c = par[2];
  const std::uint32_t L = in.stat.n;
  Summe S = 1;
  if (b > -1) {
    const double e = b * c / (b + 1);
    // With e in the hundreds the terms grow as e^i/i! and leave the double range (their sum
    // beyond 1e308 puts the first class below 1e-300): they are carried scaled, and the
    // recurrence's constant part in the same unit, which leaves every share as it was.
    Zweierskala skala;
    double letzter = 0;
    S = SkalierteTerme(
        NP, L, L + 1, 1,
        [&](std::uint32_t i, double r) {
          const double di = static_cast<double>(i);
          return (c - e / (di - a - 1)) * skala.Einheit() + e * r / (di - a - b - 2);
        },
        skala, letzter);
  } else {
    double r = 1;
    NP[0] = r;
    for (std::uint32_t i = 1; i <= L; ++i) {
      const double d = static_cast<double>(i) - a - 1;
      r = c - c * r / (d * d);
      NP[i] = r;
      S += r;
    }
  }
  // A negative term is no distribution: the evaluation fails rather than hand the fit a
  // negative frequency.
  for (std::uint32_t i = 1; i <= L; ++i) {
    if (NP[i] < 0) {
      RaiseInvalid();
      return;
    }
  }
  TermeNormieren(NP, L, in.stat.summe, S, Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM222RightTruncatedAffineTerms{.nummer = 222,
    .name = "Right-truncated affine-recurrence distribution", .parZahl = 3,
    .rest = Restregel::kKeine, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
