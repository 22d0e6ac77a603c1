// SPDX-License-Identifier: GPL-3.0-or-later
// Member 112: Poisson distribution with a gap.
//   P(v) = Pois(v; a) / (1 - S) for the values v outside the gap Int(F0) < v < Int(F1), 0 inside
//   it, S = the Poisson mass of the gap (0 when F1 <= F0 + 1);  a > 0, F0 and F1 the last value
//   before the gap and the first after it. The classes hold their values x[i]; the last class
//   takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Gestutzt.h"
#include "distributions/members/Members.h"
#include "distributions/members/PoissonFolge.h"

namespace vk::members {

namespace {

struct Luecke {
  double unten;  // Int(F0): the gap starts above it
  double oben;   // Int(F1): the gap ends below it
  bool Innen(double v) const { return v > unten && v < oben; }
};

Luecke LueckeAus(const TParameterEigenschaften& eig) {
  return {std::trunc(eig.festparameter[0]), std::trunc(eig.festparameter[1])};
}

// The Poisson mass of the gap, and of the values outside it, for the mean a: S and 1 - S. Where
// S is more than a half (a mean inside a wide gap) 1 - S is summed from its own terms, the mass
// up to the gap and the upper tail from its end, instead of leaving the rounding of S.
struct Massen {
  Summe luecke = 0;
  Summe aussen = 1;
};
Massen MassenBerechnen(double a, const Luecke& l) {
  Massen m;
  if (!(l.oben > l.unten + 1)) return m;
  const std::uint32_t ende = gestutzt::LetzterWert(l.oben);
  Summe bisUnten = 0, vorOben = 0;
  double pOben = 0;
  poisson::Folge(a, ende + 1, [&](std::uint32_t v, double p) {
    if (v == ende) {
      pOben = p;
      return;
    }
    vorOben += p;
    if (v <= l.unten) bisUnten += p;
    if (l.Innen(v)) m.luecke += p;
  });
  m.aussen =
      m.luecke <= 0.5 ? 1 - m.luecke : bisUnten + poisson::ObererSchwanz(a, ende, pOben, vorOben);
  return m;
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const Luecke l = LueckeAus(in.eig);
  const double m1 = in.stat.m1;
  // The mean of the gapped distribution is (a - sum_gap v Pois(v; a)) / (1 - S): solved for a by
  // the fixed point a = m1 (1 - S) + sum_gap v Pois(v; a) from a = m1.
  double a = m1 > 0 ? m1 : 1;
  for (int runde = 0; runde < 50; ++runde) {
    Summe gewichtet = 0;
    if (l.oben > l.unten + 1) {
      poisson::Folge(a, gestutzt::LetzterWert(l.oben), [&](std::uint32_t v, double p) {
        if (l.Innen(v)) gewichtet += v * p;
      });
    }
    const double neu = static_cast<double>(m1 * MassenBerechnen(a, l).aussen + gewichtet);
    const bool fertig = std::fabs(neu - a) < 1e-9 * (1 + a);
    a = neu;
    if (fertig || !(a > 0)) break;
  }
  E[0] = a;
  // f[i+1] = a f[i] / (x[i] + 1) over the pairs that do not start at the value Int(F0).
  Summe z = 0, q = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double x = in.x[i];
    if (x == l.unten) continue;
    z += in.f[i] * in.f[i + 1] / (x + 1);
    q += (in.f[i] / (x + 1)) * (in.f[i] / (x + 1));
  }
  E[1] = q > 0 ? static_cast<double>(z / q) : E[0];
}

// a = |(E[0] + E[1]) / 2|.
constexpr Alternative kAlternativen[] = {{Betrag({0, 1})}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const Luecke l = LueckeAus(in.eig);
  const double teiler = static_cast<double>(MassenBerechnen(a, l).aussen);
  const double x0 = in.x[0];
  const std::uint32_t bis = L == 0 ? 0 : gestutzt::LetzterWert(x0 + L);
  poisson::Folge(a, bis, [&](std::uint32_t v, double p) {
    if (v >= x0) NP[v - static_cast<std::uint32_t>(x0)] = l.Innen(v) ? 0 : N * p / teiler;
  });
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) summe += NP[i];
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM112PoissonWithGap{.nummer = 112, .name = "Poisson with a gap", .parZahl = 1,
    .festparZahl = 2, .traeger = Traeger::kNullMitLuecke, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
