// SPDX-License-Identifier: GPL-3.0-or-later
// Member 116: binomial distribution truncated on both sides, n free.
//   P(v) = B(v; n, p) / sum_{x=Int(F0)}^{Int(F1)} B(x; n, p),  v = Int(F0)..Int(F1);  F0 and F1
//   the first and last values of the support (the data's), n a natural number (20100 at most:
//   a larger n is set to 20100), 0 < p < 1. The classes hold their values x[i]; the last class
//   takes the remainder.
#include <algorithm>
#include <cmath>
#include <vector>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Gestutzt.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

constexpr double kGroesstesN = 20100;

// With y_i = x_i f(x_i) / f(x_i - 1) = theta (n - x_i + 1), theta = p / (1 - p), on the
// zero-replaced classes: from n = x[L] the ratio regression theta = sum y_i (n - x_i + 1) /
// sum (n - x_i + 1)^2 alternates with n = mean of y_i / theta + x_i - 1 (weighted by f(x_i - 1)),
// n kept at least x[L], until n moves by less than 0.5 or after 30 rounds.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const std::vector<double> g = ErsetzteKlassen(in.f, L);
  const double xL = in.x[0] + static_cast<double>(L);
  double n = xL;
  double theta = 1;
  for (int runde = 0; runde < 30; ++runde) {
    Summe z = 0, q = 0;
    for (std::uint32_t i = 1; i <= L; ++i) {
      const double x = in.x[0] + static_cast<double>(i);
      const double u = n - x + 1;
      z += x * g[i] / g[i - 1] * u;
      q += u * u;
    }
    if (q > 0) theta = std::fabs(static_cast<double>(z / q));
    Summe summe = 0, gewicht = 0;
    for (std::uint32_t i = 1; i <= L; ++i) {
      const double x = in.x[0] + static_cast<double>(i);
      summe += x * g[i] / theta + g[i - 1] * (x - 1);
      gewicht += g[i - 1];
    }
    const double neu = std::clamp(static_cast<double>(summe / gewicht), xL, kGroesstesN);
    const bool fertig = std::fabs(neu - n) < 0.5;
    n = neu;
    if (fertig) break;
  }
  E[0] = std::round(n);
  E[50] = theta / (1 + theta);
}

constexpr Alternative kAlternativen[] = {{{0}, {50}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[0] >= kGroesstesN) par[0] = kGroesstesN;
  const double n = par[0];
  const double p = par[1];
  const double F0 = std::trunc(in.eig.festparameter[0]);
  const double F1 = std::trunc(in.eig.festparameter[1]);
  gestutzt::Normieren(in, NP, n * std::log1p(-static_cast<Summe>(p)), gestutzt::LetzterWert(n), F0,
                      F1, [&](std::uint32_t v) { return (n - v + 1) * p / ((1 - p) * v); });
}

}  // namespace

// clang-format off
const Member kM116DoublyTruncatedBinomial{.nummer = 116, .name = "Doubly truncated binomial",
    .parZahl = 2, .festparZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
