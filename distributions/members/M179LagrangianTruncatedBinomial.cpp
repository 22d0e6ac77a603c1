// SPDX-License-Identifier: GPL-3.0-or-later
// Member 179: Abel-type (Lagrangian) distribution on the values 1..m, m = x[L].
//   P(x) = C(m, x) a/(a + 1) |1 - x a/m|^(x-1) (x a/m)^(m-x-1),  x = 1..m;  0 < a < 1.
//   The data start at 1: these probabilities sum to 1 over x = 1..m (an Abel identity), and the
//   first class of the formula, C(m, x[0]) a/(a + 1) (a/m)^(m-2), is the general term at x = 1;
//   at x = 0 the general term would be 0 (for m > 1) and the classes would no longer add up.
//   Class i holds the value x[i] = i + 1, the last class L (the value m) takes the remainder.
//   Each class as written while the binomial coefficient and the powers are ordinary numbers,
//   otherwise (many classes: a coefficient past 1e308 beside a power below 1e-308) as the
//   exponential of the sum of their logarithms.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Lagrange.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The mean is m/(1 + a).
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  E[0] = (in.x[in.stat.n] - in.stat.m1) / in.stat.m1;
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double m = in.x[L];
  const double faktor = a / (a + 1);
  KlassenMitRest(NP, L, N, [&](std::uint32_t i, double) {
    const std::uint32_t xGanz = in.x[i];
    const double x = xGanz;
    const double basis1 = std::fabs(1 - x * a / m);
    const double basis2 = x * a / m;
    const double e1 = x - 1;
    const double e2 = m - x - 1;
    // A vanishing base with a positive exponent makes the class 0 (its logarithm would be -inf).
    if ((basis1 == 0 && e1 > 0) || (basis2 == 0 && e2 > 0)) return 0.0;
    const auto binom = lagrange::LogBinomialkoeffizient(xGanz, m);
    const double log1 = e1 > 0 ? e1 * std::log(basis1) : 0.0;
    const double log2 = e2 != 0 ? e2 * std::log(basis2) : 0.0;
    if (binom.groesstes < lagrange::kLogSicher && lagrange::Gewoehnlich(log1) &&
        lagrange::Gewoehnlich(log2)) {
      return N * Binomialkoeffizient(static_cast<std::int32_t>(xGanz), m) * faktor *
             std::pow(basis1, e1) * std::pow(basis2, e2);
    }
    return N * faktor * static_cast<double>(std::exp(binom.wert + log1 + log2));
  });
}

}  // namespace

// clang-format off
const Member kM179LagrangianTruncatedBinomial{.nummer = 179, .name = "Abel-type on 1..m",
    .parZahl = 1, .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
