// SPDX-License-Identifier: GPL-3.0-or-later
// Member 10: zero-truncated (positive) Poisson distribution.
//   P(v) = a^v / (v! (e^a - 1)),  v = 1, 2, 3, ...;  a > 0. Class i holds the value v = i + 1;
//   the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const double m1 = in.stat.m1;
  E[51] = m1 - f[0] / in.stat.summe;
  E[50] = (m1 * m1 + in.stat.m2) / m1 - 1;
}

constexpr Alternative kAlternativen[] = {{{50, 51}}};

// Below this e^a - 1 has lost three digits or more to cancellation.
constexpr double kKlein = 1e-3;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  const auto schritt = [&](double i, double vorher) { return vorher * a / (i + 1); };
  // Near a = 0, e^a - 1 cancels and is taken as expm1(a). From a of about 708 on e^a approaches
  // the end of the double range and e^-a is no longer a normal number: the recurrence starts at
  // the mode, from log P(0) = log a - a - log(1 - e^-a).
  const double ema = std::exp(-a);
  if (ema < kKleinsteNormale) {
    RestklasseSetzen(
        NP, in.stat.n, N,
        RekursionVomGroesstenTerm(
            NP, in.stat.n, N,
            std::log(static_cast<Summe>(a)) - a - std::log1p(-static_cast<Summe>(ema)), schritt));
    return;
  }
  const double nenner = a < kKlein ? std::expm1(a) : std::exp(a) - 1;
  RekursionMitRest(NP, in.stat.n, N, N * (a / nenner), schritt);
}

}  // namespace

// clang-format off
const Member kM010PositivePoisson{.nummer = 10, .name = "Positive Poisson", .parZahl = 1,
    .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
