// SPDX-License-Identifier: GPL-3.0-or-later
// Member 169: geometric distribution whose ratio changes from a to b at the class m.
//   P(i) = P(0) a^i for i < m,  P(i) = P(0) a^(m-1) b^(i-m+1) for i >= m,
//   P(0) = (1 - a)(1 - b) / ((1 - a^m)(1 - b) + a^(m-1)(1 - a) b);
//   0 < a < 1, 0 < b < 1, m = Int(F0) >= 1 fixed.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// f~[j] for any class: the zero-replaced copy below and at L, 1 beyond (an empty class).
double ErsetzteKlasse(const std::vector<double>& g, std::uint32_t L, std::uint32_t j) {
  return j <= L ? g[j] : 1.0;
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const auto g = ErsetzteKlassen(in.f, L);
  const std::uint32_t m = FaktorAnzahl(in.eig.festparameter[0]);
  E[0] = g[1] / g[0];
  E[1] = ErsetzteKlasse(g, L, m + 1) / ErsetzteKlasse(g, L, m);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const std::uint32_t m = FaktorAnzahl(in.eig.festparameter[0]);
  // With no class before the change (m = 0) the written first class has no meaning.
  if (m < 1) RaiseInvalid();
  const double dm = static_cast<double>(m);
  const double p0 =
      (1 - a) * (1 - b) / ((1 - std::pow(a, dm)) * (1 - b) + std::pow(a, dm - 1) * (1 - a) * b);
  RekursionMitRest(NP, in.stat.n, N, N * p0,
                   [&](std::uint32_t i, double vorher) { return (i < m ? a : b) * vorher; });
}

}  // namespace

// clang-format off
const Member kM169GeometricChangedRatio{.nummer = 169, .name = "Geometric with a change of ratio",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
