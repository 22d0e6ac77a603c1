// SPDX-License-Identifier: GPL-3.0-or-later
// Member 151: a distribution from the finite differences of a power.
//   P(i) = ((b/a)_i / i!) sum_(j=0..i) (-1)^j C(i, j) |1 - b - j a|^m,  m = F0 (whole),
//   P(0) = (1 - b)^m;  a > 0, 0 < b < 1; (b/a)_i is the rising factorial. The last class takes
//   the remainder. The alternating sum is taken in long double.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double m = in.eig.festparameter[0];
  E[1] = 1 - std::pow(g[0] / in.stat.summe, 1 / m);
  E[0] = 0.01;
  for (int runde = 0; runde < 50; ++runde) {
    E[50] = E[0];
    E[0] = (1 - std::pow(1 - E[50] / (1 - E[1]), m)) * E[1] * g[0] / g[1];
    if (std::fabs(E[0] - E[50]) < 0.0001) break;
  }
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const long double a = par[0];
  const long double b = par[1];
  const double m = in.eig.festparameter[0];
  const double N = in.stat.summe;
  const long double beta = b / a;
  Unterbrechungszaehler stopp(in);
  long double steigend = 1;  // (b/a)_i / i!
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    if (i == 0) return N * std::pow(1 - par[1], m);
    steigend *= (beta + i - 1) / i;
    if (stopp.Zaehlen(i)) return 0.0;
    Summe s = 0;
    long double binom = 1;
    for (std::uint32_t j = 0; j <= i; ++j) {
      const long double t = binom * std::pow(std::fabs(1 - b - j * a), static_cast<long double>(m));
      s += j % 2 == 0 ? t : -t;
      binom = binom * (i - j) / (j + 1);
    }
    return static_cast<double>(N * steigend * s);
  });
}

}  // namespace

// clang-format off
const Member kM151FiniteDifferenceBinomial{.nummer = 151, .name = "Finite-difference binomial",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
