// SPDX-License-Identifier: GPL-3.0-or-later
// Member 47: zero-truncated Poisson distribution on 1, 2, 3, ... inflated at the value m.
//   P(v) = b a^v / (v! (e^a - 1)) + (1 - b) [v = m],  v = 1, 2, ...;  m a natural number
//   (fixed), a > 0, 0 < b < 1. The class of value m is m - 1 for data starting at 1. The last
//   class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/VonInnen.h"

namespace vk::members {

namespace {

// The written difference is kept until it would lose three digits (its operands within this of
// each other, relatively); closer, the same number comes from a form without the difference.
inline constexpr double kNahe = 1e-3;

inline constexpr std::uint32_t kSchritte = 6;
inline constexpr double kToleranz = 0.0001;
inline constexpr double kGrossesA = 15;
inline constexpr double kErsatzA = 10;
// Newton keeps a positive: e^a - 1 divides.
inline constexpr double kKleinstesA = 0.01;
inline constexpr double kKleinsteDeterminante = 1e-12;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const double N = in.stat.summe;
  const double m = std::trunc(in.eig.festparameter[0]);
  const double m1 = in.stat.m1;
  const auto g = ErsetzteAnfangsklassen(f, in.stat.n);
  // P(2)/P(1) = a/2 and P(1) = b a/(e^a - 1).
  E[0] = 2 * g[1] / g[0];
  const double a0 = E[0];
  E[1] = (std::exp(a0) - 1) * g[0] / (N * a0);

  // Newton for (a, b) on the share of the value 1 and the mean:
  //   u(a, b) = b a/(e^a - 1) + (1 - b)[m = 1] - f[0]/N = 0,
  //   v(a, b) = b (a e^a/(e^a - 1) - m) + m - m1 = 0.
  const double einsInflation = (m == 1) ? 1 : 0;
  double a = E[0], b = E[1];
  for (std::uint32_t schritt = 0; schritt < kSchritte; ++schritt) {
    const double ea = std::exp(a);
    const double em1 = ea - 1;
    const double u = b * a / em1 + (1 - b) * einsInflation - g[0] / N;
    const double v = b * (a * ea / em1 - m) + m - m1;
    const double ua = b * (em1 - a * ea) / (em1 * em1);
    const double ub = a / em1 - einsInflation;
    const double va = b * ea * (em1 - a) / (em1 * em1);
    const double vb = a * ea / em1 - m;
    const double det = ua * vb - ub * va;
    if (std::fabs(det) < kKleinsteDeterminante) break;
    const double da = (u * vb - ub * v) / det;
    const double db = (ua * v - u * va) / det;
    a -= da;
    b -= db;
    if (a > kGrossesA) a = kErsatzA;
    if (a < kKleinstesA) a = kKleinstesA;
    if (std::fabs(da) < kToleranz && std::fabs(db) < kToleranz) break;
  }
  E[50] = a;
  E[51] = b;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{50}, {51}}, {{0, 50}, {1, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double m = std::trunc(in.eig.festparameter[0]);
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  // Where e^a overflows, or the closed forms of the classes m - 1 and m would (m + 1 beyond the
  // factorial table's range, a^(m+1) beyond the double range), the Poisson terms come from the
  // mode, divided by 1 - e^-a instead of multiplied by e^-a/(e^a - 1), and the inflation is added.
  const bool geschlossen = m >= L || (m + 1 <= 170 && (m + 1) * std::log(a) < 700);
  if (a > 700 || !geschlossen) {
    voninnen::Leeren(NP, L);
    voninnen::PoissonAddieren(NP, L, a, 1, N * b / -std::expm1(-a));
    if (m >= 1 && m - 1 < L) NP[BegrenzteAnzahl(m - 1, L)] += (1 - b) * N;
    RestklasseSetzen(NP, L, N, voninnen::Unterhalb(NP, L));
    return;
  }
  // e^a - 1 through expm1 where it would cancel (a small).
  const double em1 = a < kNahe ? std::expm1(a) : std::exp(a) - 1;
  KlassenMitRest(NP, L, N, [&](std::uint32_t i, double vorher) {
    const double di = static_cast<double>(i);
    if (di == m - 1) {
      const std::uint32_t im = BegrenzteAnzahl(m, kGrenzeFaktoren);
      return N * b * GanzePotenz(im, a) / Fakultaet(im) / em1 + (1 - b) * N;
    }
    if (di == m) {
      // The class after the inflated one restarts from its closed form.
      const std::uint32_t im = BegrenzteAnzahl(m, kGrenzeFaktoren);
      return N * b * GanzePotenz(im + 1, a) / Fakultaet(in.x[i]) / em1;
    }
    if (i == 0) return N * a * b / em1;
    return vorher * a / static_cast<double>(in.x[i]);
  });
}

}  // namespace

// clang-format off
const Member kM047PositivePoissonInflatedAtM{.nummer = 47, .name = "Positive Poisson inflated at m",
    .parZahl = 2, .festparZahl = 1, .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
