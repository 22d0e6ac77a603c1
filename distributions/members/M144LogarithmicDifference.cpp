// SPDX-License-Identifier: GPL-3.0-or-later
// Member 144: difference of two logarithmic series.
//   P(x) = (v^x - b^x) / (x ln a), x = 1, 2, ..., v = |1 - (1 - b)/a|, 0 < a <= b < 1 (a larger
//   a is exchanged with b); for v = 1 - (1 - b)/a the probabilities sum to 1. The variable is the
//   class value; the data must start at 1. The last class takes the remainder.
//
//   v^x - b^x is formed as the larger power times -expm1(-x |ln(v/b)|), with
//   ln(v/b) = log1p((v - b)/b) and v - b = (1 - b)(a - 1)/a formed without cancellation: the same
//   values as the difference of the powers, which loses its digits where v is near b (a near 1,
//   where ln a is near 0 as well).
#include <cmath>
#include <utility>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double N = in.stat.summe;
  E[0] = 4 * g[1] / g[0] - 2;
  E[1] = 2 * g[3] / g[1] - 4 * g[1] * g[1] / (g[0] * g[0]);
  const double u = in.stat.m1 * g[0] / N + 2;
  E[4] = (u - std::sqrt(u * u - 4)) / 2;
  E[2] = (std::fabs(E[0] - std::sqrt(std::fabs(E[0] * E[0] - 8 * E[1]))) / 4 + E[4]) / 2;
  E[3] = std::fabs(std::log(E[2]) * g[0] * E[2] / (N * (1 - E[2])) + 1);
  if (E[3] <= 0.51) E[3] = 0.75;
}

void AlternativeWaehlen(const Eingaben&, std::uint32_t, const Schaetzwerttabelle& E,
                        Parametervektor& p) {
  p[0] = E[2];
  p[1] = E[3];
  // a + b = 1 makes v = b: a start there would begin on the distribution's degenerate edge.
  if (p[0] + p[1] >= 0.995 && p[0] + p[1] <= 1.005) {
    p[0] += 0.02;
    p[1] += 0.02;
  }
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[0] > par[1]) std::swap(par[0], par[1]);
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const double w = 1 - (1 - b) / a;
  const double v = std::fabs(w);
  const double vMinusB = w >= 0 ? (1 - b) * (a - 1) / a : (1 - b) / a - 1 - b;
  // v = 0 leaves -b^x: the factor is then 1, with a logarithm of -infinity that raises nothing.
  const double logVDurchB = v > 0 ? std::log1p(vMinusB / b) : -HUGE_VAL;
  const double logA = std::log(a);
  const double logGroesser = std::log(vMinusB >= 0 ? v : b);
  const double vorzeichen = vMinusB >= 0 ? 1 : -1;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    const double x = in.x[i];
    const double differenz =
        vorzeichen * std::exp(x * logGroesser) * -std::expm1(-x * std::fabs(logVDurchB));
    return N * differenz / (x * logA);
  });
}

}  // namespace

// clang-format off
const Member kM144LogarithmicDifference{.nummer = 144, .name = "Logarithmic difference",
    .parZahl = 2, .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternative = AlternativeWaehlen, .alternativenZahl = 1,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
