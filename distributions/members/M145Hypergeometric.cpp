// SPDX-License-Identifier: GPL-3.0-or-later
// Member 145: hypergeometric distribution.
//   P(x) = C(K, x) C(M' - K, n - x) / C(M', n): a sample of n = F0 from M' items of which K are
//   marked; M', K natural numbers. Repairs, written back into the vector: K below 1 becomes 1;
//   n + 1 >= M' sets M' = n + K + 1. K < n exchanges the two for the computation (n = Int(K),
//   K = the old n): the law is symmetric in n and K, so this is the same distribution. The
//   exchange is not written back, since the fixed n cannot be: the vector keeps its K, and
//   evaluating it again gives the same classes.
//   P(0) = prod_(i < Int(n)) (M' - K - i)/(M' - i), ratio (K - i + 1)(n - i + 1)/(i (M' - K - n +
//   i)); the last class takes the remainder. A first term below the double range (a large sample)
//   is replaced by the largest class found from its logarithm.
#include <cmath>
#include <utility>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double F0 = in.eig.festparameter[0];
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  E[0] = (F0 * fm2 - F0 * m1 * (F0 - 1)) / (F0 * fm2 - m1 * m1 * (F0 - 1));
  // The mean n K / M' gives K = m1 M' / n. (Multiplying by n instead would put K at n^2 times
  // that, beyond the population, where no start evaluates.)
  E[1] = m1 * E[0] / F0;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  double n = in.eig.festparameter[0];
  if (par[1] < 1) par[1] = 1;
  if (n + 1 >= par[0]) par[0] = n + par[1] + 1;
  double K = par[1];
  if (K < n) {
    const double alt = n;
    n = std::trunc(K);
    K = alt;
  }
  const double Mp = par[0];
  // More marked items or a larger sample than the population: no hypergeometric distribution,
  // and the product below would take factors of either sign.
  if (K > Mp || n > Mp) RaiseInvalid();
  const std::uint32_t faktoren = FaktorAnzahl(n);
  const auto faktor = [&](std::uint32_t i) { return (Mp - K - i) / (Mp - i); };
  double p0 = 1;
  bool positiv = true;
  for (std::uint32_t i = 0; i < faktoren; ++i) {
    p0 *= faktor(i);
    positiv = positiv && faktor(i) > 0;
  }
  const auto ratio = [&](double i, double vorher) {
    return vorher * (K - i + 1) * (n - i + 1) / (i * (Mp - K - n + i));
  };
  // M' - K < n: P(0) is 0 and the ratio would divide 0 by 0 at the start of the support,
  // x = n - (M' - K). For whole values the classes start there instead, from
  // P(x) = C(K, x) / C(M', n), x = n - (M' - K); below it they are 0.
  if (!positiv) {
    const double start = n - (Mp - K);
    const bool ganz = n == std::floor(n) && Mp == std::floor(Mp) && K == std::floor(K);
    if (!ganz || !(start >= 1 && start <= K)) {
      RekursionMitRest(NP, in.stat.n, in.stat.summe, in.stat.summe * p0, ratio);
      return;
    }
    const std::uint32_t j = BegrenzteAnzahl(start, kMaxKlassenIndex + 1);
    // K - x = M' - n there, so C(K, x)/C(M', n) = prod_(t=1..M'-K) (x + t)/(K + t): M' - K
    // factors, their logarithms summed in long double.
    Summe logPj = 0;
    for (std::uint32_t t = 1; t <= FaktorAnzahl(Mp - K); ++t)
      logPj += std::log((start + t) / static_cast<Summe>(K + t));
    const double N = in.stat.summe;
    KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double vorher) {
      if (i < j) return 0.0;
      if (i == j) return static_cast<double>(N * std::exp(logPj));
      return ratio(i, vorher);
    });
    return;
  }
  RekursionMitRestGeschuetzt(
      NP, in.stat.n, in.stat.summe, p0,
      [&] {
        Summe logP0 = 0;
        for (std::uint32_t i = 0; i < faktoren; ++i)
          logP0 += std::log(static_cast<Summe>(faktor(i)));
        return logP0;
      },
      ratio);
}

}  // namespace

// clang-format off
const Member kM145Hypergeometric{.nummer = 145, .name = "Hypergeometric", .parZahl = 2,
    .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
