// SPDX-License-Identifier: GPL-3.0-or-later
// Member 186: power of a linear fraction.
//   pgf ((p + d s)/(1 - c s))^k, d = 1 - c - p;  k > 0, 0 < p < 1, 0 < c < 1. A p at or below
//   (1 - c)/(1 + c) is raised by (1 - c)/(1 + c) and written back. d = 0 is the negative
//   binomial distribution, c = 0 the binomial one. Computed by NP[0] = N p^k,
//   NP[1] = N k p^{k-1} (p c + d), i p NP[i] = (k d + k p c - (d - p c)(i - 1)) NP[i-1] +
//   d c (i - 2) NP[i-2]; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// With u = 1 - p and v = 1 - c: mean k u/v, variance mean + k u (c - d)/v^2, P(1)/P(0) =
// k u v/p. E[0] = k, E[1] = u and E[2] = v from the negative binomial (d = 0) by the moments;
// E[52] = v from the first ratio with that k and u.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double M = in.stat.m1x0;
  const double V = in.stat.m2;
  if (V - M > 1e-6 && M > 0) {
    E[0] = M * M / (V - M);
    E[1] = 1 - M / V;
    E[2] = M / V;
  } else {
    E[1] = 0.1;
    E[2] = 0.9;
    E[0] = std::fabs(M) * E[2] / E[1];
  }
  const double v = g[1] / g[0] * (1 - E[1]) / (E[0] * E[1]);
  E[52] = v > 0 && v < 1 ? v : E[2];
}

// Alt 1: (E[0], 1 - E[1], 1 - E[2]); Alt 2: (E[0], 1 - E[1], 1 - E[52]).
void AlternativeWaehlen(const Eingaben&, std::uint32_t k, const Schaetzwerttabelle& E,
                        Parametervektor& p) {
  p[0] = E[0];
  p[1] = 1 - E[1];
  if (k == 1) p[2] = 1 - E[2];
  if (k == 2) p[2] = 1 - E[52];
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double c = par[2];
  const double schwelle = (1 - c) / (1 + c);
  if (schwelle >= par[1]) par[1] = par[1] + schwelle;
  const double p = par[1];
  const double d = 1 - c - p;
  const double N = in.stat.summe;
  // In long double, whose range keeps p^k from underflowing for any k a fit reaches.
  const long double pk = std::pow(static_cast<long double>(p), k);
  long double vorher = N * pk;
  long double vorvorher = 0;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    if (i == 0) return static_cast<double>(vorher);
    const long double x = i;
    const long double neu =
        i == 1
            ? N * k * (pk / p) * (p * c + d)
            : ((k * d + k * p * c - (d - p * c) * (x - 1)) * vorher + d * c * (x - 2) * vorvorher) /
                  (x * p);
    vorvorher = vorher;
    vorher = neu;
    return static_cast<double>(neu);
  });
}

}  // namespace

// clang-format off
const Member kM186LinearRatioPower{.nummer = 186, .name = "Power of a linear fraction",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternative = AlternativeWaehlen,
    .alternativenZahl = 2, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
