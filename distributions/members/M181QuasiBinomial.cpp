// SPDX-License-Identifier: GPL-3.0-or-later
// Member 181: quasi-binomial distribution.
//   P(x) = C(n, x) p (1 - p) (p + x phi)^{x-1} (1 - p + (n - x) phi)^{n-x-1} / (1 + n phi)^{n-1},
//   x = 0..n;  n natural, at least the last class index L (a smaller n is raised to L and written
//   back), 0 < p < 1, phi >= 0; phi = 0 is the binomial distribution. The last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const auto g = ErsetzteAnfangsklassen(in.f, L);
  const double n = in.x[L];
  const double p = in.stat.m1x0 / n;
  E[0] = n;
  E[1] = p;
  // phi from P(0) = (1 - p) ((1 - p + n phi)/(1 + n phi))^{n-1} at n = x[L] and p = M/x[L]:
  // with u the (n - 1)-th root of P(0)/(1 - p), n phi = (u - 1 + p)/(1 - u). Where that is not
  // positive (the zero class at or above its binomial share) the binomial phi = 0 starts.
  const double u = std::pow(g[0] / N / (1 - p), 1 / (n - 1));
  const double phi = (u - 1 + p) / (n * (1 - u));
  E[2] = phi > 0 ? phi : 0.0;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const std::uint32_t L = in.stat.n;
  if (par[0] < L) par[0] = L;
  const double n = par[0];
  const double p = par[1];
  const double phi = par[2];
  const double N = in.stat.summe;
  // The powers of the classes above 0 leave the double range long before their quotient does
  // (n in the hundreds); they are taken in logarithms, the binomial coefficient by its running
  // product. The logarithms run to thousands, and in double their roundings (that of the running
  // sum above all, which drifts one way) shift every class by some 1e-12 relative: they are
  // summed in extended precision, which leaves the exponent good to the last digit of a double.
  const Summe nL = n, pL = p, phiL = phi;
  const Summe logP = std::log(pL) + std::log1p(-pL);
  const Summe lnNenner = (nL - 1) * std::log1p(nL * phiL);
  Summe logC = 0;
  KlassenMitRest(NP, L, N, [&](std::uint32_t i, double) {
    if (i == 0) return N * (1 - p) * std::pow((1 - p + n * phi) / (1 + n * phi), n - 1);
    const Summe x = i;
    logC += std::log((nL - x + 1) / x);
    return N * static_cast<double>(std::exp(logC + logP + (x - 1) * std::log(pL + x * phiL) +
                                            (nL - x - 1) * std::log(1 - pL + (nL - x) * phiL) -
                                            lnNenner));
  });
}

}  // namespace

// clang-format off
const Member kM181QuasiBinomial{.nummer = 181, .name = "Quasi-binomial", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
