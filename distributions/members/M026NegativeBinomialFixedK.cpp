// SPDX-License-Identifier: GPL-3.0-or-later
// Member 26: negative binomial distribution with a given k.
//   P(i) = C(k + i - 1, i) p^k (1 - p)^i,  i = 0, 1, 2, ...;  k > 0 fixed (F0), p in (0, 1).
//   The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const double M = in.stat.m1x0;
  const double f1 = KlasseOderNull(f, in.stat.n, 1);
  E[51] = M / in.stat.m2;
  E[50] = (f[0] > 0 && f1 > 0) ? f1 / (f[0] * M) : E[51];
}

constexpr Alternative kAlternativen[] = {
    {{50, 51}},
};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = in.eig.festparameter[0];
  const double p = par[0];
  const double N = in.stat.summe;
  RekursionMitRest(NP, in.stat.n, N, N * std::pow(p, k),
                   [&](double i, double vorher) { return vorher * (i + k - 1) * (1 - p) / i; });
}

}  // namespace

const Member kM026NegativeBinomialFixedK{
    .nummer = 26,
    .name = "Negative binomial (fixed k)",
    .parZahl = 1,
    .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen,
};

}  // namespace vk::members
