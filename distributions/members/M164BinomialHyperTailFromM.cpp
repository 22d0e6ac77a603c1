// SPDX-License-Identifier: GPL-3.0-or-later
// Member 164: binomial terms up to m, then a divisor growing by b per class, truncated.
//   r(0) = 1, r(i)/r(i-1) = (n - i + 1) a / i for i <= m and (n - i + 1) a / (m + (i - m) b) for
//   i > m; P(i) = r(i) / (r(0) + ... + r(L)) over the classes 0..L; n, m fixed (F0, F1),
//   a > 0, b > 0. The last class takes the remainder (which is its own term).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr double kErsatz = 0.1;

// a from the first frequency ratio f~[1]/f~[0] = n a (m >= 1), b from the ratio of the classes m
// and m + 1, f~[m+1]/f~[m] = (n - m) a / (m + b). Both are kept positive: |.|, and 0.1 for 0.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double n = in.eig.festparameter[0];
  const double m = in.eig.festparameter[1];
  const std::uint32_t L = in.stat.n;
  const auto g = ErsetzteKlassen(in.f, L);
  // Beyond the data every class counts as empty, which the replacement makes 1.
  const auto ft = [&](std::uint32_t i) { return i < g.size() ? g[i] : 1.0; };
  E[0] = std::fabs(ft(1) / (n * ft(0)));
  if (E[0] == 0) E[0] = kErsatz;
  const std::uint32_t k = FaktorAnzahl(m);
  E[1] = std::fabs((n - m) * E[0] * ft(k) / ft(k + 1) - m);
  if (E[1] == 0) E[1] = kErsatz;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double n = in.eig.festparameter[0];
  const double m = in.eig.festparameter[1];
  NormierteTermeBisL(NP, in.stat.n, in.stat.summe, [&](double i, double vorher) {
    if (i <= m) return vorher * (n - i + 1) * a / i;
    return vorher * (n - i + 1) * a / (m + (i - m) * b);
  });
}

}  // namespace

// clang-format off
const Member kM164BinomialHyperTailFromM{.nummer = 164,
    .name = "Binomial with a growing divisor from m on", .parZahl = 2, .festparZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
