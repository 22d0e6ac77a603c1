// SPDX-License-Identifier: GPL-3.0-or-later
// Member 117: negative binomial distribution with a share c of class 1 moved to class 0.
//   P(0) = NB(0) + c NB(1), P(1) = (1 - c) NB(1), P(i) = NB(i) for i >= 2, with
//   NB(i; k, p) = C(k + i - 1, i) p^k (1 - p)^i;  k > 0, 0 < p < 1, 0 <= c <= 1. The last class
//   takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/NegativBinomial.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double fm2 = in.stat.fm2;
  const double fm3 = in.stat.fm3;
  E[50] = 3 * g[3] * fm2 / (g[2] * fm3);
  E[0] = fm3 * E[50] / (fm2 * (1 - E[50])) - 2;
  E[100] = (g[0] * E[0] * (1 - E[50]) - g[1]) / (E[0] * (1 - E[50]) * (g[0] + g[1]));
}

constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double c = par[2];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const double pk = std::pow(p, k);
  if (pk >= kKleinsteNormale) {
    // As written: N p^k (1 + k c (1 - p)), N p^k k (1 - p)(1 - c), N p^k k (k + 1)(1 - p)^2 / 2,
    // then the negative binomial ratio.
    KlassenMitRest(NP, L, N, [&](std::uint32_t i, double vorher) {
      switch (i) {
        case 0:
          return N * pk * (1 + k * c * (1 - p));
        case 1:
          return N * pk * k * (1 - p) * (1 - c);
        case 2:
          return N * pk * k * (k + 1) * (1 - p) * (1 - p) / 2;
        default:
          return vorher * (i + k - 1) * (1 - p) / i;
      }
    });
    return;
  }
  // p^k below the normal range: the negative binomial from its largest class, then the share c
  // of class 1 moved to class 0 (the two together keep their sum, so the remainder stays).
  negativbinomial::Berechnen(NP, in.stat, k, p);
  if (L >= 2) {
    NP[0] += c * NP[1];
    NP[1] *= 1 - c;
  } else if (L == 1) {
    NP[0] *= 1 + k * c * (1 - p);
    RestklasseSetzen(NP, L, N, NP[0]);
  }
}

}  // namespace

// clang-format off
const Member kM117NegativeBinomialShareMovedToZero{.nummer = 117,
    .name = "Negative binomial with a share of one moved to zero", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
