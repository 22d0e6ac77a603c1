// SPDX-License-Identifier: GPL-3.0-or-later
// Member 13: right-truncated hyper-Poisson distribution with a given second parameter.
//   P(i) proportional to a^i / ((b + 1)(b + 2)...(b + i)),  i = 0..L;  b fixed (F0), a > 0; the
//   hyper-Poisson with second parameter b + 1, normalised over the classes 0..L. There is no
//   tail class.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double b = in.eig.festparameter[0];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const auto [f0, f1, f2, f3] = Anfangsklassen(in.f, L);
  E[0] = (N * in.stat.m1 - b * f0) / (N - in.f[L]);
  E[1] = (f0 > 0 && f1 > 0) ? f1 * (b + 1) / f0 : E[0];
  // f[i+1] = a f[i]/(x_i + 1).
  E[2] = VerhaeltnisRegression(in.f, L,
                               [&](std::uint32_t i) { return static_cast<double>(in.x[i]) + 1; });
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = in.eig.festparameter[0];
  NormierteTermeBisL(
      NP, in.stat.n, in.stat.summe, [&](double i, double vorher) { return vorher * a / (b + i); },
      Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM013HyperPoissonFixedB{.nummer = 13, .name = "Truncated hyper-Poisson (fixed b)",
    .parZahl = 1, .festparZahl = 1, .traeger = Traeger::kNichtNull, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
