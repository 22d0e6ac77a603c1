// SPDX-License-Identifier: GPL-3.0-or-later
// Member 214: failures before the first success, drawing without replacement.
//   P(0) = b/(a + b), P(x) = P(x-1) (a - x + 1)/(a + b - x),  x = 0..a;  a natural (the
//   failures in the urn), b > 0 (the successes). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/ErsterTreffer.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double N = in.stat.summe;
  const double c = in.f[0] / N;
  // a from the range of the data (the last class index less the first value), b from
  // P(0) = b/(a + b) and from the mean a/(b + 1).
  E[0] = static_cast<double>(in.stat.n) - static_cast<double>(in.x[0]);
  E[1] = erstertreffer::AnteilAusNullklasse(E[0], c);
  E[50] = E[0];
  E[51] = in.stat.m1 > 0 ? (E[0] - 1) / in.stat.m1 - 1 : E[1];
}

// Alts (a, b): 1 (E[0], E[1]); 2 (E[50], E[51]).
constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{50}, {51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  erstertreffer::Klassen(
      in, NP, b / (a + b), [&] { return std::log(static_cast<Summe>(b) / (a + b)); },
      [&](double x) { return a - x + 1; }, [&](double x) { return (a - x) + b; });
}

}  // namespace

// clang-format off
const Member kM214FirstSuccessUrn{.nummer = 214, .name = "First success without replacement",
    .parZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
