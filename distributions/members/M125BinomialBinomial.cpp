// SPDX-License-Identifier: GPL-3.0-or-later
// Member 125: binomial stopped sum of binomial summands.
//   A binomial(m, pi) number of summands, each binomial(n, p);  pgf
//   (1 - pi + pi (1 - p + p s)^n)^m;  0 < pi < 1, 0 < p < 1, n = F0 and m = F1 fixed. A pi above
//   1 becomes 0.9 and a p above 1 becomes 0.91 (written back); |1 - p| in the summands' first
//   term. The binomial recursion of the stopped-sum kernel weighs the earlier classes by
//   (m + 1) j - x, of both signs: in the upper classes its terms cancel and leave the rounding of
//   the large ones (1.65e-15 for a class worth 3e-23). For a whole n and m, 0 < p < 1 and
//   0 < pi < 1 the same classes come from the power (1 - pi + pi g(s))^m of positive
//   coefficients, as for the other binomial stopped sums; elsewhere the recursion as written,
//   nothing beyond m n. The last class takes the remainder.
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/members/GeometrischeUndLogarithmischeSummanden.h"
#include "distributions/members/GestoppteSumme.h"
#include "distributions/members/Members.h"
#include "distributions/members/Summanden.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double n = in.eig.festparameter[0];
  const double m = in.eig.festparameter[1];
  const double m1 = in.stat.m1;
  const double m2 = in.stat.m2;
  E[0] = std::fabs((n - 1) * m1 / (n * (m1 + m2 * m / m1 - m)));
  if (E[0] >= 1) E[0] = 0.9;
  E[1] = m1 / (m * n * E[0]);
  if (E[1] >= 1) E[1] = 0.92;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[0] > 1) par[0] = 0.9;
  if (par[1] > 1) par[1] = 0.91;
  const double pi = par[0];
  const double p = par[1];
  const double n = in.eig.festparameter[0];
  const double m = in.eig.festparameter[1];
  if (n >= 0 && n <= kGrenzeFaktoren && n == std::floor(n) && p > 0 && p < 1) {
    const auto kn = static_cast<std::uint32_t>(n);
    summanden::BinomialAnzahl(in, NP, m, pi, summanden::Binomisch(kn, p),
                              summanden::BinomischVerhaeltnis(kn, p));
    return;
  }
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kBinomial, m, pi}, summanden::Binomial(n, p),
                      summanden::BinomialVerhaeltnis(n, p));
}

}  // namespace

// clang-format off
const Member kM125BinomialBinomial{.nummer = 125, .name = "Binomial-binomial", .parZahl = 2,
    .festparZahl = 2, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
