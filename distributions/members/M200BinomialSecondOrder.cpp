// SPDX-License-Identifier: GPL-3.0-or-later
// Member 200: binomial distribution with a second-order correction.
//   P(j) = B(j; n, p) (1 + (a/2) (j (j - 1)/p + (n - j)(n - j - 1)/(1 - p) - n (n - 1))),
//   j = 0..n;  0 < p < 1, n = F0 given (the largest value of the data), a real and held
//   between -2c/(n (n - 1)), c = min(p/(1 - p), (1 - p)/p), and 2/((1 - 2p)^2/(4p(1 - p)) + n),
//   where the correction keeps the probabilities from turning negative. a outside is moved in
//   steps of 0.01 until it lies inside, and the moved a is written back. The last class takes
//   the remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double n = in.eig.festparameter[0];
  const double m1 = in.stat.m1;
  E[1] = E[51] = m1 / n;
  const double p = E[1];
  E[0] = (g[1] / g[0] - n * p / (1 - p)) * 2 * (1 - p) * (1 - p) / ((n - 1) * (n * p - 2) * n * p);
  E[50] = (in.stat.m2 - n * E[51] * (1 - E[51])) / (n * (n - 1) * E[51] * (1 - E[51]));
  const double grenze = 2 / ((1 - 2 * p) * (1 - 2 * p) / (4 * p * (1 - p)) + n);
  if (E[0] >= grenze) E[0] = grenze - 0.01;
  if (E[50] >= grenze) E[50] = grenze - 0.01;
}

// Alt 1: (E[0], E[1]); Alt 2: (E[50], E[1]); Alt 3: ((E[0] + E[50])/2, E[1]).
constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{50}, {1}}, {{0, 50}, {1}}};

// Steps of 0.01 more than this many are taken at once, as a whole multiple of 0.01, before the
// last ones are stepped: a far-off a (the optimiser can move it anywhere) must not cost millions
// of additions, and the few last steps decide where it ends as the stepping would.
inline constexpr double kEinzelschritte = 1000;

// (Each jump leaves a gap of about kEinzelschritte steps up to the rounding of a itself, so a
// huge a needs a few jumps, each shrinking the gap by the double's 16 digits.)
inline constexpr int kSpruenge = 40;

double Anheben(double a, double unten) {
  for (int s = 0; s < kSpruenge && unten - a > kEinzelschritte * 0.01; ++s)
    a += 0.01 * std::floor((unten - a) / 0.01 - kEinzelschritte);
  while (a < unten) a += 0.01;
  return a;
}

double Absenken(double a, double oben) {
  for (int s = 0; s < kSpruenge && a - oben > kEinzelschritte * 0.01; ++s)
    a -= 0.01 * std::floor((a - oben) / 0.01 - kEinzelschritte);
  while (a > oben) a -= 0.01;
  return a;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[1];
  const double n = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double c = std::min(p / (1 - p), (1 - p) / p);
  // Bounds that are no numbers (n = 1 divides by 0, which has raised its fault) move nothing:
  // the comparisons are false.
  double a = Anheben(par[0], -2 * c / (n * (n - 1)));
  a = Absenken(a, 2 / ((1 - 2 * p) * (1 - 2 * p) / (4 * p * (1 - p)) + n));
  par[0] = a;
  const double logQ = std::log(std::fabs(1 - p));
  const double b0 = std::exp(n * logQ);
  const auto binomial = [&](double j, double vorher) {
    return vorher * (n - j + 1) * p / ((1 - p) * j);
  };
  // The binomial terms first (from the largest one where B(0) lies below the normal range), then
  // each multiplied by its correction.
  if (L > 0) {
    if (b0 >= kKleinsteNormale) {
      RekursionBisRest(NP, L, N * b0, binomial);
    } else {
      RekursionVomGroesstenTerm(NP, L, N, static_cast<Summe>(n) * logQ, binomial);
    }
  }
  Summe summe = 0;
  for (std::uint32_t j = 0; j < L; ++j) {
    const double dj = static_cast<double>(j);
    NP[j] *= 1 + (a / 2) * (dj * (dj - 1) / p + (n - dj) * (n - dj - 1) / (1 - p) - n * (n - 1));
    summe += NP[j];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM200BinomialSecondOrder{.nummer = 200, .name = "Binomial with second-order correction",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
