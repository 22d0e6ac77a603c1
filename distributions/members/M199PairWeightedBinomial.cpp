// SPDX-License-Identifier: GPL-3.0-or-later
// Member 199: binomial weighted by a^(x (n - x)), right-truncated at the last class.
//   P(x) proportional to C(n, x) p^x (1 - p)^(n - x) a^(x (n - x)),  x = 0..L;  a > 0,
//   0 < p < 1 (a p of 1 or more becomes 0.5, written back), n = F0 given (the largest value
//   of the data). Every class, the last included, by the normalised formula.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double n = in.eig.festparameter[0];
  E[0] = std::sqrt(2 * (n - 2) * f2 * f2 / (3 * f1 * f3 * (n - 1)));
  E[1] = f1 / (n * f0 * std::pow(E[0], n - 1));
  if (E[1] >= 1) E[1] = 0.9;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

// The terms as written while their logarithms stay within this distance of r[0] = 1; beyond it
// a^(x (n - x)) carries them past the double range on their way (up into an overflow, or down
// to 0 before rising again to a mode at the far end).
inline constexpr double kSpanne = 600;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[1] >= 1) par[1] = 0.5;
  const double a = par[0];
  const double p = par[1];
  const double n = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double lnA = std::log(a);
  // r[i] / r[i-1] without its power of a; r[0] = (1 - p)^n cancels in the normalisation, so the
  // terms start at 1.
  const auto rest = [&](double i) { return (n - i + 1) * p / ((1 - p) * i); };
  // First pass: ln r[i] as a running sum, kept in NP. A ratio of 0 (i = n + 1 for a whole n)
  // ends the support; a negative one (n not whole, below L) has no logarithm and leaves the
  // terms to the written products.
  Summe logR = 0;
  Summe logMax = 0;
  bool weit = false;
  bool positiv = true;
  std::uint32_t ende = L + 1;
  NP[0] = 0;
  for (std::uint32_t i = 1; i <= L; ++i) {
    const double di = static_cast<double>(i);
    const double q = rest(di);
    if (!(q > 0)) {
      positiv = q == 0;
      ende = i;
      break;
    }
    logR += (n - 2 * di + 1) * lnA + std::log(q);
    NP[i] = static_cast<double>(logR);
    logMax = std::max(logMax, logR);
    weit = weit || std::fabs(logR) > kSpanne;
  }
  if (!weit || !positiv) {
    NormierteTerme(
        NP, L, L, N, 1,
        [&](double i, double r) { return r * std::pow(a, n - 2 * i + 1) * rest(i); },
        Restregel::kKeine);
    return;
  }
  // Each term relative to the largest: the classes far from the mode come out as the vanishing
  // fractions they are.
  Summe S = 0;
  for (std::uint32_t i = 0; i <= L; ++i) {
    NP[i] = i < ende ? std::exp(NP[i] - static_cast<double>(logMax)) : 0.0;
    S += NP[i];
  }
  TermeNormieren(NP, L, N, S, Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM199PairWeightedBinomial{.nummer = 199, .name = "Pair-weighted binomial",
    .parZahl = 2, .festparZahl = 1, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
