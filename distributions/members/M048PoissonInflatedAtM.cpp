// SPDX-License-Identifier: GPL-3.0-or-later
// Member 48: Poisson distribution inflated at the value m.
//   P(i) = b e^-a a^i / i! + (1 - b) [i = m],  i = 0, 1, 2, ...;  m a natural number
//   (fixed), a > 0, 0 < b < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/VonInnen.h"

namespace vk::members {

namespace {

inline constexpr std::uint32_t kRunden = 11;
inline constexpr double kToleranz = 0.0001;
// Beyond this a would overflow e^a in the next round; the route has left the data.
inline constexpr double kGrossesA = 50;

std::uint32_t KlasseM(const TParameterEigenschaften& eig) {
  return BegrenzteAnzahl(eig.festparameter[0], kMaxKlassenIndex);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TParameterEigenschaften& eig = in.eig;
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const std::uint32_t im = KlasseM(eig);
  const double m = static_cast<double>(im);
  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  // The zero-replaced frequencies: classes 0..3 on a copy, f~[m] beyond them directly (a zero
  // becomes 1; the step of f[0] away from f[1] touches only class 0).
  const auto g = ErsetzteAnfangsklassen(f, L);
  const double fm = (im < 4) ? g[im] : ((KlasseOderNull(f, L, im) == 0) ? 1.0 : f[im]);

  E[0] = g[1] / g[0];
  const double a0 = E[0];
  E[1] = (1 - fm / N) / (1 - std::exp(-a0) * GanzePotenz(im, a0) / Fakultaet(im));
  // m1 = b a + (1 - b) m and fm2 = b a^2 + (1 - b) m (m - 1) give a^2 - E[2] a + E[3] = 0.
  E[2] = (m * (m - 1) - fm2) / (m - m1);
  E[3] = m * ((m - 1) * m1 - fm2) / (m - m1);
  const double disk = E[2] * E[2] - 4 * E[3];
  E[50] = (disk > 0) ? (E[2] - std::sqrt(disk)) / 2 : E[0];
  E[51] = 1 - (fm2 - E[50] * m1) / m / (m - 1 - E[50]);

  // Fixed point for a: b from a class outside the inflation (class 0, or class 1 when m = 0),
  // then a from the mean m1 = b a + (1 - b) m.
  const double f1 = g[1];
  double a = E[0];
  double vorher = a;
  double b = E[1];
  for (std::uint32_t runde = 0; runde < kRunden; ++runde) {
    b = (im == 0) ? f1 * std::exp(a) / (N * a) : g[0] * std::exp(a) / N;
    const double neu = (m1 - (1 - b) * m) / b;
    if (!(neu > 0) || neu > kGrossesA) break;  // no usable a on this route; keep the last
    vorher = a;
    a = neu;
    if (std::fabs(a - vorher) < kToleranz) break;
  }
  E[52] = a;
  E[100] = vorher;
  E[101] = (im == 0) ? f1 * std::exp(a) / (N * a) : g[0] * std::exp(a) / N;
}

constexpr Alternative kAlternativen[] = {
    {{0}, {1}}, {{50}, {51}}, {{52}, {101}}, {{0, 50, 52}, {1, 51, 101}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double m = std::trunc(in.eig.festparameter[0]);
  const double N = in.stat.summe;
  const double ea = std::exp(-a);
  const std::uint32_t L = in.stat.n;
  // Where e^-a underflows, or the closed forms of the classes m and m + 1 would overflow, the
  // Poisson terms come from the mode and the inflation is added to class m.
  const bool geschlossen = m + 1 >= L || (m + 1 <= 170 && (m + 1) * std::log(a) < 700);
  if (ea < voninnen::kKleinsterStart || !geschlossen) {
    voninnen::Leeren(NP, L);
    voninnen::PoissonAddieren(NP, L, a, 0, N * b);
    if (m < L) NP[BegrenzteAnzahl(m, L)] += N * (1 - b);
    RestklasseSetzen(NP, L, N, voninnen::Unterhalb(NP, L));
    return;
  }
  KlassenMitRest(NP, in.stat.n, N, [&](double i, double vorher) {
    if (i == m) {
      const std::uint32_t im = BegrenzteAnzahl(m, kGrenzeFaktoren);
      return N * ((1 - b) + b * ea * GanzePotenz(im, a) / Fakultaet(im));
    }
    if (i == m + 1) {
      // The class after the inflated one restarts from its closed form.
      const std::uint32_t im = BegrenzteAnzahl(m, kGrenzeFaktoren);
      return N * (b * ea * GanzePotenz(im + 1, a) / Fakultaet(im + 1));
    }
    if (i == 0) return N * b * ea;
    return vorher * a / i;
  });
}

}  // namespace

// clang-format off
const Member kM048PoissonInflatedAtM{.nummer = 48, .name = "Poisson inflated at m", .parZahl = 2,
    .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
