// SPDX-License-Identifier: GPL-3.0-or-later
// Member 2: Poisson distribution.
//   P(i) = e^-a a^i / i!,  i = 0, 1, 2, ...;  a > 0. The last class takes N minus the others
//   (without an absolute value).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = Anfangsklassen(in.f, in.stat.n);
  const double M = in.stat.m1x0;
  E[0] = M;
  E[1] = (f0 > 0) ? -std::log(f0 / in.stat.summe) : M;
  E[2] = (f0 > 0) ? f1 / f0 : M;
  // f[i+1] = a f[i]/(i + 1).
  E[3] = VerhaeltnisRegression(in.f, in.stat.n,
                               [](std::uint32_t i) { return static_cast<double>(i) + 1; });
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2, 3}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  RekursionMitRest(
      NP, in.stat.n, N, N * std::exp(-a), [&](double i, double vorher) { return vorher * a / i; },
      Restregel::kOhneBetrag);
}

}  // namespace

// clang-format off
const Member kM002Poisson{.nummer = 2, .name = "Poisson", .parZahl = 1,
    .rest = Restregel::kOhneBetrag, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
