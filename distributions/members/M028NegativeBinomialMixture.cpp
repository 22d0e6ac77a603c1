// SPDX-License-Identifier: GPL-3.0-or-later
// Member 28: mixture of two negative binomial distributions with a common exponent.
//   P(i) = w NB(i; k, p1) + (1 - w) NB(i; k, p2),  NB(i; k, p) = C(k + i - 1, i) p^k (1 - p)^i,
//   i = 0, 1, 2, ...;  k > 0, 0 < p1, p2 < 1, 0 < w < 1. The last class takes N minus the others
//   without an absolute value.
#include <math.h>
#include <algorithm>
#include <cmath>
#include <utility>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/VonInnen.h"

namespace vk::members {

namespace {

// A start k of more than this is out of proportion to the grid's probabilities and is reset.
inline constexpr double kGrossesK = 10;
inline constexpr double kErsatzK = 5;

// The grid of starts has one row per alternative and one slot per row in each of the columns
// E[0..49], E[50..99], E[100..149].
std::uint32_t Zeilen(const TParameterEigenschaften& eig) {
  return std::min<std::uint32_t>(eig.alternativen, kSchaetzSlots);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TParameterEigenschaften& eig = in.eig;
  const double m1 = in.stat.m1;
  const double m2 = in.stat.m2;
  const std::uint32_t zeilen = Zeilen(eig);
  const double a = static_cast<double>(eig.alternativen);
  for (std::uint32_t j = 1; j <= zeilen; ++j) {
    const double dj = static_cast<double>(j);
    const double p1 = dj / (a + 1);
    const double p2 = (91 - 2 * dj) / 100;
    // k from the first two moments with p1 and p2 held at the grid's values.
    const double d = (1 - p1) * p2 - p1 * (1 - p2);
    const double g = p2 * p2 * (1 - p1) - p1 * p1 * (1 - p2);
    double k = std::fabs((p2 * p2 * m2 * p1 * d - p2 * m1 * g) / ((1 - p2) * (p1 * d - g)));
    if (k > kGrossesK) k = kErsatzK;
    E[50 + j - 1] = p1;
    E[100 + j - 1] = p2;
    E[j - 1] = k;
  }
  E[150] = m1;
}

void AlternativeWaehlen(const Eingaben& in, std::uint32_t k, const Schaetzwerttabelle& E,
                        Parametervektor& p) {
  const TParameterEigenschaften& eig = in.eig;
  if (k < 1 || k > Zeilen(eig)) return;  // the rows share no element
  double kk = E[k - 1];
  if (kk > kGrossesK) kk = kErsatzK;
  const double p1 = E[50 + k - 1];
  const double p2 = E[100 + k - 1];
  const double m1 = E[150];
  p[0] = kk;
  p[1] = p1;
  p[2] = p2;
  // The weight that gives the mixture the observed mean.
  p[3] = (m1 - (1 - p2) * kk / p2) / p2 / ((1 - p1) / p1 - (1 - p2) / p2);
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p1 = par[1];
  const double p2 = par[2];
  const double w = par[3];
  const double N = in.stat.summe;
  // Each component runs its own recurrence; NP holds their weighted sum.
  double a = std::pow(p1, k);
  double b = std::pow(p2, k);
  const std::uint32_t L = in.stat.n;
  if ((a < voninnen::kKleinsterStart || b < voninnen::kKleinsterStart) && L > 0) {
    // A first term p^k below the double range (a large k): each component from its mode, where
    // its logarithm gives a representable start, up and down by the ratio.
    voninnen::Leeren(NP, L);
    voninnen::NegBinAddieren(NP, L, k, p1, 0, N * w);
    voninnen::NegBinAddieren(NP, L, k, p2, 0, N * (1 - w));
    RestklasseSetzen(NP, L, N, voninnen::Unterhalb(NP, L), Restregel::kOhneBetrag);
    return;
  }
  RekursionMitRest(
      NP, in.stat.n, N, N * (w * a + (1 - w) * b),
      [&](double i, double) {
        a = a * (i + k - 1) * (1 - p1) / i;
        b = b * (i + k - 1) * (1 - p2) / i;
        return N * (w * a + (1 - w) * b);
      },
      Restregel::kOhneBetrag);
}

}  // namespace

// clang-format off
const Member kM028NegativeBinomialMixture{.nummer = 28, .name = "Mixture of two negative binomials",
    .parZahl = 4, .rest = Restregel::kOhneBetrag, .schaetzwerte = SchaetzwerteBerechnen,
    .alternative = AlternativeWaehlen, .alternativenZahl = 3,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
