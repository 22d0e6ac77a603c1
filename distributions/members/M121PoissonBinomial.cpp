// SPDX-License-Identifier: GPL-3.0-or-later
// Member 121: Poisson stopped sum of binomial summands, n free (Poisson-binomial).
//   As member 120 with n a free parameter: pgf exp(lambda ((1 - p + p s)^n - 1));  lambda > 0,
//   n >= 1 (not forced to be whole: the summands' terms B(j; n, p) count up to j = Int(n)),
//   0 < p < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GestoppteSumme.h"
#include "distributions/members/Members.h"
#include "distributions/members/Summanden.h"

namespace vk::members {

namespace {

constexpr std::uint32_t kAlternativenZahl = 10;

// For alternative i (slot s = i - 1): p = i/10 below the last, where p = (m2 - M)/M/(n' - 1)
// with n' the previous alternative's n; n from the first ratio and the dispersion for i = 2 and
// 7, x[L] for i = 5, (m2 - M)/(M p) otherwise, at least 2; lambda = M/(n p).
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double M = in.stat.m1x0;
  const double d = (in.stat.m2 - M) / M;
  for (std::uint32_t i = 1; i <= kAlternativenZahl; ++i) {
    const std::uint32_t s = i - 1;
    E[50 + s] = i < kAlternativenZahl ? i / 10.0 : d / (E[99 + s] - 1);
    double n = 0;
    if (i == 2 || i == 7) {
      n = std::log(g[1] / (M * g[0])) + d + 1;
    } else if (i == 5) {
      n = in.x[in.stat.n];
    } else {
      n = d / E[50 + s];
    }
    if (n < 2) n = 2;
    E[100 + s] = n;
    E[s] = M / (n * E[50 + s]);
  }
}

// Alternative k: (E[k-1], E[100 + k - 1], E[50 + k - 1]).
constexpr Alternative kAlternativen[kAlternativenZahl] = {
    {{0}, {100}, {50}}, {{1}, {101}, {51}}, {{2}, {102}, {52}}, {{3}, {103}, {53}},
    {{4}, {104}, {54}}, {{5}, {105}, {55}}, {{6}, {106}, {56}}, {{7}, {107}, {57}},
    {{8}, {108}, {58}}, {{9}, {109}, {59}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double lambda = par[0];
  const double n = par[1];
  const double p = par[2];
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kPoisson, lambda, 0}, summanden::Binomial(n, p),
                      summanden::BinomialVerhaeltnis(n, p));
}

}  // namespace

// clang-format off
const Member kM121PoissonBinomial{.nummer = 121, .name = "Poisson-binomial", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
