// SPDX-License-Identifier: GPL-3.0-or-later
// Member 1: binomial distribution with a given number of trials.
//   P(i) = C(n, i) p^i (1 - p)^(n - i),  i = 0..n;  n fixed (F0), p in (0, 1) free. The last
//   class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const KlassenWerte& x = in.x;
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double M = in.stat.m1x0;
  const double n = in.eig.festparameter[0];

  E[0] = M / (static_cast<double>(x[0]) + n);
  E[1] = (f[0] > 0) ? 1 - std::pow(f[0] / N, 1 / n) : E[0];
  // Ratio regression: f[i+1] is about p/(1-p) l_i with l_i = (n - x_i) f[i]/(x_i + 1).
  Summe A = 0, B = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double xi = static_cast<double>(x[i]);
    const double l = (n - xi) * f[i] / (xi + 1);
    A += l * f[i + 1];
    B += l * l;
  }
  E[2] = static_cast<double>(A / (A + B));
  E[3] = std::fabs(1 - in.stat.m2 / M);
}

constexpr Alternative kAlternativen[] = {
    {{0, 1, 2, 3}},
    {{0}},
};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double n = in.eig.festparameter[0];
  const double p = par[0];
  const double N = in.stat.summe;
  RekursionMitRest(
      NP, in.stat.n, N, N * std::exp(n * std::log(1 - p)),
      [&](double i, double vorher) { return vorher * (n - i + 1) * p / ((1 - p) * i); });
}

}  // namespace

const Member kM001BinomialFixedN{
    .nummer = 1,
    .name = "Binomial (fixed n)",
    .parZahl = 1,
    .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen,
};

}  // namespace vk::members
