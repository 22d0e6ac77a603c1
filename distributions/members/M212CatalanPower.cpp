// SPDX-License-Identifier: GPL-3.0-or-later
// Member 212: powers of the Catalan generating function as a count distribution.
//   P(x) = a/(2x + a) C(2x + a, x) 2^-(2x + a),  x = 0, 1, ...;  a > 0 (members/Catalan.h). The
//   last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Catalan.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  // E[0] = log2 f~[0], the logarithm of the first frequency itself (not of its share, which
  // P(0) = 2^-a would suggest). It is a start only where it is positive; a first class of 1 or
  // less takes the ratio estimate instead.
  const double ausNull = std::log(g[0]) / std::log(2.0);
  E[50] = catalan::AusErstemVerhaeltnis(g[0], g[1]);
  E[100] = catalan::AusZweitemVerhaeltnis(g[1], g[2]);
  E[0] = ausNull > 0 ? ausNull : E[50];
  if (!(E[100] > 0)) E[100] = E[50];
}

constexpr Alternative kAlternativen[] = {{{0}}, {{50}}, {{100}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  // P(0) = 2^-a leaves the double range from a = 1075 on, although the classes near the mode
  // are ordinary numbers: those are then started from log P(0) = -a ln 2.
  RekursionMitRestGeschuetzt(
      NP, in.stat.n, N, std::exp2(-a), [&] { return -static_cast<Summe>(a) * std::log(2.0L); },
      [&](double x, double vorher) { return vorher * catalan::Verhaeltnis(a, x); });
}

}  // namespace

// clang-format off
const Member kM212CatalanPower{.nummer = 212, .name = "Catalan power", .parZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
