// SPDX-License-Identifier: GPL-3.0-or-later
// Member 115: binomial distribution with n trials truncated on both sides.
//   P(v) = B(v; n, p) / sum_{x=Int(F1)}^{Int(F2)} B(x; n, p),  v = Int(F1)..Int(F2);  n = F0 fixed,
//   F1 and F2 the first and last values of the support (the data's), 0 < p < 1,
//   B(v; n, p) = C(n, v) p^v (1 - p)^(n - v) for v = 0..Int(n). The classes hold their values
//   x[i]; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Gestutzt.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// Ratio estimates: x f(x) / (n - x + 1) = f(x - 1) p / (1 - p), summed over the pairs of
// neighbouring classes whose upper value does not exceed n: E[100] the weighted upper
// frequencies, E[50] the lower ones.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double n = in.eig.festparameter[0];
  Summe oben = 0, unten = 0;
  for (std::uint32_t i = 1; i <= in.stat.n; ++i) {
    const double x = in.x[i];
    if (x > n) break;
    oben += x * in.f[i] / (n - x + 1);
    unten += in.f[i - 1];
  }
  E[100] = static_cast<double>(oben);
  E[50] = static_cast<double>(unten);
}

// p = |E[100] / (E[100] + E[50])|, formed by AlternativeWaehlen.
void AlternativeWaehlen(const Eingaben&, std::uint32_t, const Schaetzwerttabelle& E,
                        Parametervektor& par) {
  par[0] = std::fabs(E[100] / (E[100] + E[50]));
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const double n = in.eig.festparameter[0];
  const double F1 = std::trunc(in.eig.festparameter[1]);
  const double F2 = std::trunc(in.eig.festparameter[2]);
  // |1 - p| in the first term, as the written B(0) = exp(n ln|1 - p|).
  const Summe logB0 = p < 1 ? n * std::log1p(-static_cast<Summe>(p))
                            : n * std::log(std::fabs(1 - static_cast<Summe>(p)));
  gestutzt::Normieren(in, NP, logB0, gestutzt::LetzterWert(n), F1, F2,
                      [&](std::uint32_t v) { return (n - v + 1) * p / ((1 - p) * v); });
}

}  // namespace

// clang-format off
const Member kM115DoublyTruncatedBinomialFixedN{.nummer = 115,
    .name = "Doubly truncated binomial (fixed n)", .parZahl = 1, .festparZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternative = AlternativeWaehlen, .alternativenZahl = 1,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
