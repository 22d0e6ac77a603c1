// SPDX-License-Identifier: GPL-3.0-or-later
// Member 171: right-truncated hypergeometric-type distribution on the classes 0..L.
//   P(i) proportional to n (n - 1) ... (n - i + 1) a^i / (b (b + 1) ... (b + i - 1)),
//   i = 0..L (0 beyond n), every class by the formula; n natural, b > 0, a > 0 (b = 1: the
//   binomial (n, a/(1 + a)) truncated at L). A denominator i + b - 1 equal
//   to 0 counts as 1.
#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = in.x[in.stat.n];
  E[1] = E[0] * g[0] * g[2] / (E[0] * (g[1] * g[1] - g[0] * g[2]) - g[1] * g[1]);
  E[2] = E[1] * g[1] / (E[0] * g[0]);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double n = par[0];
  const double b = par[1];
  const double a = par[2];
  NormierteTermeBisL(
      NP, in.stat.n, in.stat.summe,
      [&](double i, double vorher) {
        double nenner = i + b - 1;
        if (nenner == 0) nenner = 1;
        return vorher * (n - i + 1) * a / nenner;
      },
      Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM171HypergeometricTypeTruncated{.nummer = 171,
    .name = "Right-truncated hypergeometric type", .parZahl = 3, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
