// SPDX-License-Identifier: GPL-3.0-or-later
// Member 199: binomial weighted by a^(x (n - x)), right-truncated at the last class.
//   P(x) proportional to C(n, x) p^x (1 - p)^(n - x) a^(x (n - x)),  x = 0..L;  a > 0,
//   0 < p < 1 (a p of 1 or more becomes 0.5, written back), n = F0 given (the largest value
//   of the data). Every class, the last included, by the normalised formula.
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

// ln a^(n-2i+1) beyond which a single ratio would leave the double range: the terms are then
// summed through their logarithms.
inline constexpr double kGrosserExponent = 600;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[1] >= 1) par[1] = 0.5;
  const double a = par[0];
  const double p = par[1];
  const double n = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  // r[i] / r[i-1]; r[0] = (1 - p)^n cancels in the normalisation, so the terms start at 1.
  const auto verhaeltnis = [&](double i) {
    return std::pow(a, n - 2 * i + 1) * (n - i + 1) * p / ((1 - p) * i);
  };
  const double lnA = std::log(a);
  if (!(std::fabs(lnA * (n + 1)) > kGrosserExponent)) {
    NormierteTermeBisL(
        NP, L, N, [&](double i, double r) { return r * verhaeltnis(i); }, Restregel::kKeine);
    return;
  }
  // a^(n - 2i + 1) alone overflows (or vanishes) although the normalised classes are ordinary
  // numbers: ln r[i] as a running sum, each term taken relative to the largest. A ratio of 0
  // (i = n + 1 for a whole n) ends the support; a negative one has no logarithm and raises the
  // invalid fault, as the terms of a distribution cannot change sign.
  Summe logR = 0;
  Summe logMax = 0;
  std::uint32_t ende = L + 1;
  NP[0] = 0;
  for (std::uint32_t i = 1; i <= L; ++i) {
    const double di = static_cast<double>(i);
    const double rest = (n - di + 1) * p / ((1 - p) * di);
    if (rest == 0) {
      ende = i;
      break;
    }
    logR += (n - 2 * di + 1) * lnA + std::log(rest);
    NP[i] = static_cast<double>(logR);
    if (logR > logMax) logMax = logR;
  }
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
