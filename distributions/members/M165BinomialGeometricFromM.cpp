// SPDX-License-Identifier: GPL-3.0-or-later
// Member 165: binomial-type terms up to m, geometric terms beyond, truncated.
//   r(0) = 1, r(1) = m b + a, r(i) = r(i-1) (m + a/b - i + 1) b / i for 2 <= i <= m and
//   r(i-1) a/m for i > m; P(i) = r(i) / (r(0) + ... + r(L)) over the classes 0..L; m fixed (F0),
//   a > 0, b > 0. The last class takes the remainder (which is its own term).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const auto g = ErsetzteKlassen(in.f, L);
  // Beyond the data every class counts as empty, which the replacement makes 1.
  const auto ft = [&](std::uint32_t i) { return i < g.size() ? g[i] : 1.0; };
  E[1] = std::fabs(2 * ft(2) / ft(1) - ft(1) / ft(0));
  if (E[1] == 0) E[1] = 0.11;
  E[0] = ft(1) / ft(0) - m * E[1];
  // The class below Int(m) does not exist for m below 1: the first class stands in for it.
  const std::uint32_t k = FaktorAnzahl(m) > 0 ? FaktorAnzahl(m) : 1;
  E[50] = m * ft(k + 1) / ft(k);
  E[51] = m * ft(k) / ft(k - 1) - E[50];
  if (E[51] == 0) E[51] = 0.1;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{50}, {51}}, {{0, 50}, {1, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double m = in.eig.festparameter[0];
  NormierteTermeBisL(NP, in.stat.n, in.stat.summe, [&](double i, double vorher) {
    if (i == 1) return m * b + a;
    if (i <= m) return vorher * (m + a / b - i + 1) * b / i;
    return vorher * a / m;
  });
}

}  // namespace

// clang-format off
const Member kM165BinomialGeometricFromM{.nummer = 165,
    .name = "Binomial-type, then geometric from m on", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
