// SPDX-License-Identifier: GPL-3.0-or-later
// Member 180: Lagrangian negative binomial distribution with equal shape and exponent.
//   P(i) = C((i + 1) a, i)/(i + 1) p^i (1 - p)^((i + 1) a - i),  i = 0, 1, 2, ...;  a >= 1,
//   0 < p < 1 (the generalized negative binomial of member 177 with k = beta = a; for a p >= 1
//   the classes hold less than 1 and the last class takes the rest). Each class as written while
//   the binomial coefficient and the powers are ordinary numbers, otherwise as the exponential
//   of the sum of their logarithms.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Lagrange.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[1] = 1 - m2 / (M * (M + 1) * (M + 1));
  E[50] = std::log(g[0] / in.stat.summe) / std::log(std::fabs(1 - E[1]));
  E[0] = (M * M * (M + 1) / (M * (M + 1) * (M + 1) - m2) + E[50]) / 2;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double p = par[1];
  const double N = in.stat.summe;
  const double absP = std::fabs(p);
  const double q = std::fabs(1 - p);
  Unterbrechungszaehler stopp(in);
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    if (i == 0) return N * std::pow(q, a);
    // O(i) per class: on many classes a cancel must not wait for the whole evaluation.
    if (stopp.Zaehlen(2 * i)) return 0.0;
    const double di = static_cast<double>(i);
    const double y = (di + 1) * a;
    const double exponent = y - di;
    const auto binom = lagrange::LogBinomialkoeffizient(i, y);
    const double logP = di * std::log(absP);
    const double logQ = exponent * std::log(q);
    if (binom.groesstes < lagrange::kLogSicher && lagrange::Gewoehnlich(logP) &&
        lagrange::Gewoehnlich(logQ)) {
      return N * Binomialkoeffizient(static_cast<std::int32_t>(i), y) / (di + 1) *
             std::pow(absP, di) * std::pow(q, exponent);
    }
    return N * static_cast<double>(std::exp(binom.wert - std::log(di + 1) + logP + logQ));
  });
}

}  // namespace

// clang-format off
const Member kM180LagrangianNegativeBinomial{.nummer = 180,
    .name = "Lagrangian negative binomial (equal shape)", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
