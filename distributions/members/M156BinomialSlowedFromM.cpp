// SPDX-License-Identifier: GPL-3.0-or-later
// Member 156: binomial terms whose ratio is slowed from the class m on, truncated at the last
// class.
//   r(0) = 1, r(i)/r(i-1) = (n - i + 1) p / i for i <= m and p (n - i + 1) / (m + (i - m) p) for
//   i > m; P(i) = r(i) / (r(0) + ... + r(L)) over the classes 0..L; m, n fixed (F0, F1), p > 0.
//   The last class takes the remainder (which is its own term). It is member 164 with a = b = p:
//   from m on each further class adds p, not 1, to the divisor. (Written with m - (i - m) p the
//   divisor reached 0 at i = m + m/p, a pole inside the classes with negative terms beyond it, no
//   distribution; the family's divisor grows.)
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  // r(1)/r(0) = n p for every m >= 1: p from the first ratio. (2 f1/((n - 1) f0) was twice that;
  // the factor 2/(n - 1) belongs to the second ratio, f2/f1 = (n - 1) p/2, which holds only for
  // m >= 2.)
  E[0] = g[1] / (in.eig.festparameter[1] * g[0]);
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const double m = in.eig.festparameter[0];
  const double n = in.eig.festparameter[1];
  NormierteTermeBisL(NP, in.stat.n, in.stat.summe, [&](double i, double vorher) {
    if (i <= m) return vorher * (n - i + 1) * p / i;
    return vorher * p * (n - i + 1) / (m + (i - m) * p);
  });
}

}  // namespace

// clang-format off
const Member kM156BinomialSlowedFromM{.nummer = 156, .name = "Binomial slowed from m on",
    .parZahl = 1, .festparZahl = 2, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
