// SPDX-License-Identifier: GPL-3.0-or-later
// Member 210: Waring distribution right-truncated at the last class.
//   P(i) proportional to a (b)_i / (a + b)_(i+1),  i = 0..L;  a > 0, b > 0; (y)_i the rising
//   factorial. Every class by the formula, no remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/Waring.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  // The starts of the untruncated Waring law (member 19).
  waring::Startwerte(in, g, E);
  // The first two ratios, which truncation leaves alone: f[1]/f[0] = b/(a + b + 1),
  // f[2]/f[1] = (b + 1)/(a + b + 2). E[151] solves them for a, E[150] for b. On geometric
  // classes (f[0] f[2] = f[1]^2) the pair has no solution; the slots then take the moment
  // estimates of the same parameters.
  const double d = g[0] * g[2] - g[1] * g[1];
  if (d != 0) {
    E[151] = (g[0] * g[1] - 2 * g[0] * g[2] + g[1] * g[2]) / d;
    E[150] = (E[151] + 1) * g[1] / (g[0] - g[1]);
  } else {
    E[151] = E[51];
    E[150] = E[50];
  }
}

// Alts (a, b): 1 (E[1], E[0]); 2 (E[51], E[50]); 3 ((E[1] + E[51])/2, (E[0] + E[50])/2);
// 4 (E[150], E[151]). Alternative 4 takes the ratio estimates crosswise, a from the estimate of
// b and b from that of a: a start on the other side of a = b from the ratio solution.
constexpr Alternative kAlternativen[] = {
    {{1}, {0}}, {{51}, {50}}, {{1, 51}, {0, 50}}, {{150}, {151}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  // q[0] = a/(a + b) of the formula is left out: the classes are normalised over the terms.
  // The ratio (i - 1 + b)/(a + b + i) stays below 1, so the terms only fall.
  NormierteTerme(
      NP, in.stat.n, in.stat.n, in.stat.summe, 1,
      [&](double i, double vorher) { return vorher * (i - 1 + b) / (a + b + i); },
      Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM210WaringRightTruncated{.nummer = 210, .name = "Right-truncated Waring",
    .parZahl = 2, .rest = Restregel::kKeine, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
