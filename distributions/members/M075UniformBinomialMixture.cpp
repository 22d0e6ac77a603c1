// SPDX-License-Identifier: GPL-3.0-or-later
// Member 75: uniform distribution on 0..v-1 mixed over a zero-truncated binomial v.
//   P(x) = sum_{v=x+1}^{n} Bin(v; n, p)/v / (1 - (1 - p)^n),  x = 0..n - 1;  n = 1, 2, ...,
//   p in (0, 1), the binomial terms taken with |1 - p|. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GleichverteilungsMischung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The Newton steps for p stop on a step below this or after kSchritte steps.
inline constexpr double kToleranz = 0.001;
inline constexpr std::uint32_t kSchritte = 11;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const double dL = L;
  const auto [f0, f1, f2, f3] = Anfangsklassen(in.f, L);
  const double m1 = in.stat.m1;
  E[0] = dL;
  E[1] = std::fabs(2 * (f1 - f2) / ((f0 - f1) * (dL - 1) + 2 * (f1 - f2 + 0.1)));
  if (E[1] == 0 || E[1] >= 1) E[1] = 0.5;
  const double c = f1 - f2 + 0.1;
  const double d = 3 * (f0 - f1 + 0.1);
  E[50] = (4 * c * c - d * (f2 - f3 - 0.1)) / (2 * c * c - d * (f2 - f3 + 0.1));
  if (E[50] < dL) E[50] = dL;
  // The mean of the mixture (E[v] - 1)/2 solved for p with n = L.
  double p = E[1];
  for (std::uint32_t schritt = 0; schritt < kSchritte; ++schritt) {
    const double g = std::pow(std::fabs(1 - p), dL - 1) * (2 * m1 - 1);
    const double s = (2 * m1 - 1 - (1 - p) * g - p * dL) / (g * dL - dL);
    p -= s;
    if (std::fabs(s) < kToleranz) break;
  }
  E[51] = p;
}

// Alt 1: (E[0], E[1]); Alt 2: (E[50], E[51]); Alt 3: the means.
constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{50}, {51}}, {{0, 50}, {1, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double n = par[0];
  const double p = par[1];
  gleichverteilungsmischung::BinomialKlassen(NP, in.stat.n, in.stat.summe, n, p);
}

}  // namespace

// clang-format off
const Member kM075UniformBinomialMixture{.nummer = 75, .name = "Uniform-binomial mixture",
    .parZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
