// SPDX-License-Identifier: GPL-3.0-or-later
// Member 100: geometric distribution on 1, 2, ... modified by a linear factor.
//   P(x) = p (1 - p)^(x-1) (1 + b (x - 1/p)),  x = 1, 2, ...;  0 < p < 1, b enters as |b|. The
//   factor has mean zero under the geometric weights, so the probabilities sum to 1; they stay
//   non-negative at x = 1 only while |b| <= 1/(1 - p) - 1. Evaluated at the class values x[i]; the
//   last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Alternativen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  const double q0 = in.f[0] / N;
  const double f1 = in.stat.n >= 1 ? in.f[1] : 0.0;
  E[0] = std::sqrt(std::fabs(f1 / N - in.f[0] * (1 - q0) / N)) + q0;
  E[50] = std::fabs((E[0] - q0) / (1 - E[0]));
  const double radikand = 1 - m1 * q0;
  E[51] = radikand >= 0 ? std::fabs((1 + std::sqrt(radikand)) / m1) : E[50];
}

// p from slot 0, b from slot 50, 51 or their mean.
constexpr Alternative kTabelle[] = {{{0}, {50}}, {{0}, {51}}, {{0}, {50, 51}}};

// Past this bound the first value's factor 1 + b (1 - 1/p) is negative: b is pulled back below it.
void BKappen(double p, double& b) {
  if (std::fabs(b) > 1 / (1 - p) - 1) b = 1 / (1 - p) - 1.2;
}

void AlternativeWaehlen(const Eingaben&, std::uint32_t k, const Schaetzwerttabelle& E,
                        Parametervektor& par) {
  TabellenAlternative(kTabelle, k, E, par);
  if (k >= 1 && k <= std::size(kTabelle)) BKappen(par[0], par[1]);
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  BKappen(p, par[1]);
  const double b = std::fabs(par[1]);
  const double x0 = in.x[0];
  // Where the pulled-back b still leaves the first class negative (p below about 1/6) the model
  // has no distribution at this p.
  if (1 + b * (x0 - 1 / p) < 0) RaiseInvalid();
  const double N = in.stat.summe;
  double geometrisch = p * std::pow(1 - p, x0 - 1);
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    if (i > 0) geometrisch *= 1 - p;
    return N * geometrisch * (1 + b * (in.x[i] - 1 / p));
  });
}

}  // namespace

// clang-format off
const Member kM100LinearlyModifiedGeometric{.nummer = 100,
    .name = "Geometric with a linear factor", .parZahl = 2, .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternative = AlternativeWaehlen,
    .alternativenZahl = 3, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
