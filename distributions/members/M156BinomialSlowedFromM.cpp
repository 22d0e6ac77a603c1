// SPDX-License-Identifier: GPL-3.0-or-later
// Member 156: binomial terms whose ratio is slowed from the class m on, truncated at the last
// class.
//   r(0) = 1, r(i)/r(i-1) = (n - i + 1) p / i for i <= m and p (n - i + 1) / (m - (i - m) p) for
//   i > m; P(i) = r(i) / (r(0) + ... + r(L)) over the classes 0..L; m, n fixed (F0, F1), p > 0.
//   The last class takes the remainder (which is its own term).
// From m on the ratio is (n + 1 - i)/(K - i), K = m (1 + p)/p, a hypergeometric form whose terms
// are n!/(n - i)! Gamma(K - i)/Gamma(K - m) up to a constant: positive while K - i > 0, with a
// pole at i = K and signs alternating beyond. Its support ends with the last class whose divisor
// m - (i - m) p is positive, as the binomial part's ends at n: the terms from the first divisor
// that is not are 0 (the classes before it are unchanged; the sum went infinite or negative).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  // The ratios below m are (n - i + 1) p / i: f2/f1 = (n - 1) p/2 gives p = 2 f2/((n - 1) f1),
  // the written 2 f1/((n - 1) f0) with its classes shifted by one (that was twice the p of
  // f1/f0 = n p). The second ratio needs m >= 2; for a smaller m the first one, f1/(n f0).
  const double m = in.eig.festparameter[0];
  const double n = in.eig.festparameter[1];
  E[0] = m >= 2 ? 2 * g[2] / ((n - 1) * g[1]) : g[1] / (n * g[0]);
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const double m = in.eig.festparameter[0];
  const double n = in.eig.festparameter[1];
  NormierteTermeBisL(NP, in.stat.n, in.stat.summe, [&](double i, double vorher) {
    if (i <= m) return vorher * (n - i + 1) * p / i;
    const double teiler = m - (i - m) * p;
    if (!(teiler > 0)) return 0.0;
    return vorher * p * (n - i + 1) / teiler;
  });
}

}  // namespace

// clang-format off
const Member kM156BinomialSlowedFromM{.nummer = 156, .name = "Binomial slowed from m on",
    .parZahl = 1, .festparZahl = 2, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
