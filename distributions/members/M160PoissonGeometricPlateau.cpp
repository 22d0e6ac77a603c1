// SPDX-License-Identifier: GPL-3.0-or-later
// Member 160: Poisson terms up to m, geometric terms up to k + 1, then a plateau, truncated.
//   r(0) = 1, r(1) = a, r(x) = a r(x-1)/x for 2 <= x <= m, a r(x-1) for m < x <= k + 1 and r(x-1)
//   beyond, up to x = Int(k + d); P(x) = r(x) / (r(0) + ... + r(Int(k + d))). m, k, d fixed
//   (F0, F1, F2), a > 0. The last class takes the remainder; classes beyond Int(k + d) are
//   empty.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = g[1] / g[0];
  E[1] = g[2] / g[1];
}

// a = (E[0] + E[1]) / 2.
constexpr Alternative kAlternativen[] = {{{0, 1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double m = in.eig.festparameter[0];
  const double k = in.eig.festparameter[1];
  const std::uint32_t L = in.stat.n;
  // A sum of no terms (k + d below 0) divides 0 by 0: the bound raises the invalid fault first.
  const std::uint32_t K = BegrenzteAnzahl(k + in.eig.festparameter[2], kGrenzeFaktoren);
  // With a large the terms rise past the double range before the plateau: they are carried
  // scaled, each scaling taken before the step that would pass 2^900, which leaves every quotient
  // r(x)/sum as it is. (A factor beyond the double range itself still overflows after a few
  // scalings: a failed evaluation.)
  constexpr std::uint32_t kMaxVerkleinerungen = 3;
  Zweierskala skala;
  double r = 1;
  Summe S = r;
  if (L > 0) NP[0] = r;
  for (std::uint32_t x = 1; x <= K; ++x) {
    const double dx = x;
    const bool poisson = x >= 2 && dx <= m;
    const bool geometrisch = x == 1 || (!poisson && dx <= k + 1);
    const double faktor = poisson ? a / dx : geometrisch ? a : 1.0;
    for (std::uint32_t v = 0; v < kMaxVerkleinerungen && r > Zweierskala::kGrenze / faktor; ++v)
      skala.Verkleinern(std::span(NP).first(x < L ? x : L), r, S);
    if (poisson) {
      r = a * r / dx;
    } else if (geometrisch) {
      r = a * r;
    }
    S += r;
    if (x < L) NP[x] = r;
  }
  for (std::uint32_t x = K + 1; x < L; ++x) NP[x] = 0;
  TermeNormieren(NP, L, in.stat.summe, S);
}

}  // namespace

// clang-format off
const Member kM160PoissonGeometricPlateau{.nummer = 160,
    .name = "Poisson, then geometric, then constant terms", .parZahl = 1, .festparZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
