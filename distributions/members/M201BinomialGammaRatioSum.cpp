// SPDX-License-Identifier: GPL-3.0-or-later
// Member 201: binomial weights times a sum of gamma-ratio terms.
//   With m = x[L], pi = 1/c (c = F0 > 1 given), lambda(z) = (z - 1/2) ln z (the leading terms of
//   ln Gamma(z), whose remaining -z parts cancel between the four lambdas) and
//   T_w = exp(lambda(p0 + p1) + lambda(|m + p1 - w|) - lambda(p1) - lambda(p0 + p1 + m - w)):
//   P(w) = B(w; m, pi) T_w sum_{j=0..w} C(w, j) (p0)_j (c - 1)^j / (p0 + p1 + m - w)_j,
//   p0 > 0, p1 > 0; p2 starts at m and is carried, not read. The lambdas approximate ln Gamma,
//   so these P(w) sum over w = 0..m to about 1.01 to 1.06, not 1: each is divided by that sum,
//   which keeps the law's shape and makes it one. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m = in.x[in.stat.n];
  const double F0 = in.eig.festparameter[0];
  const double m1 = in.stat.m1;
  const double m2 = in.stat.m2;
  E[2] = std::fabs((m - F0 * m1) / (F0 * (m1 - m)));
  E[3] = m * (E[2] + 1) * (F0 - 1);
  const double e1 = E[2] + 1;
  E[1] = std::fabs((E[3] + m * E[3] * (F0 - 1) - F0 * F0 * m2 * e1 * e1) /
                   (m2 * F0 * F0 * e1 * e1 * e1 - (F0 * E[2] + 1) * E[3]));
  E[0] = std::fabs(E[2] * E[1]);
  E[100] = m;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {100}}};

Summe Lambda(Summe z) {
  return (z - 0.5L) * std::log(z);
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const Summe p0 = par[0];
  const Summe p1 = par[1];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double F0 = in.eig.festparameter[0];
  // c of 1 or less gives no binomial weights (1 - 1/c and c - 1 are not positive).
  if (!(F0 > 1)) RaiseInvalid();
  const Summe c = F0;
  const Summe m = in.x[L];
  const Summe lambdaFest = Lambda(p0 + p1) - Lambda(p1);
  const auto T = [&](Summe w) {
    return std::exp(lambdaFest + Lambda(std::fabs(m + p1 - w)) - Lambda(p0 + p1 + m - w));
  };
  // The binomial weight (1 - 1/c)^m C(m, w) (c - 1)^-w as a running product in extended precision:
  // (1 - 1/c)^m alone leaves the double range from m of about 1000 on (c = 2), long before the
  // classes near the mean do.
  Summe gewicht = std::pow(1 - 1 / c, m);
  Unterbrechungszaehler stopp(in);
  // The terms of the whole support 0..m: those below L wait in NP for the normalisation, the
  // others only enter the sum.
  const std::uint32_t bis = BegrenzteAnzahl(static_cast<double>(m), kMaxKlassenIndex + 1);
  Summe gesamt = gewicht * T(0);
  if (L > 0) NP[0] = static_cast<double>(gesamt);
  for (std::uint32_t w = 1; w <= bis; ++w) {
    // O(m²) in all: a cancel must not wait for the whole evaluation.
    if (stopp.Zaehlen(w)) break;
    const Summe dw = w;
    gewicht = gewicht * (m - dw + 1) / (dw * (c - 1));
    const Summe g = p0 + p1 + m - dw;
    Summe s = T(dw);
    Summe reihe = s;
    for (std::uint32_t j = 1; j <= w; ++j) {
      const Summe dj = j;
      s = (dj + p0 - 1) * (dw - dj + 1) * s * (c - 1) / (dj * (dj + g - 1));
      reihe += s;
    }
    const Summe term = gewicht * reihe;
    gesamt += term;
    if (w < L) NP[w] = static_cast<double>(term);
  }
  TermeNormieren(NP, L, N, gesamt);
}

}  // namespace

// clang-format off
const Member kM201BinomialGammaRatioSum{.nummer = 201, .name = "Binomial gamma-ratio sum",
    .parZahl = 3, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
