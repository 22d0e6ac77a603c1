// SPDX-License-Identifier: GPL-3.0-or-later
// Member 7: negative hypergeometric (beta-binomial) distribution with n estimated.
//   P(i) = C(n, i) B(R + i, K - R + n - i) / B(R, K - R),  i = 0..n;  n a natural number of at
//   least x[L] - x[0] (raised to it when smaller), K > R > 0. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/NegativHypergeometrisch.h"

namespace vk::members {

namespace {

namespace nh = negativhypergeometrisch;

// x[L] - x[0], the least n the data allow.
double Spanne(const Eingaben& in) {
  return static_cast<double>(in.x[in.stat.n]) - static_cast<double>(in.x[0]);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double spanne = Spanne(in);
  E[2] = (spanne == 0) ? 1 : spanne;
  nh::MomentSchaetzer(in.stat, E[2], E);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}, {{50}, {51}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double spanne = Spanne(in);
  if (par[2] < spanne) par[2] = spanne;
  const double K = par[0];
  const double R = par[1];
  const double n = par[2];
  // P(0) starts from the factor j = 0 written out, so that n below 1 still gives (K - R)/K.
  const double p0 =
      Produkt((K - R) / K, 1, FaktorAnzahl(n), [&](double j) { return nh::NullFaktor(K, R, j); });
  nh::Berechnen(NP, in.stat, K, R, n, p0, [&] {
    return std::log(static_cast<Summe>((K - R) / K)) + nh::LogNullProdukt(K, R, 1, FaktorAnzahl(n));
  });
}

}  // namespace

// clang-format off
const Member kM007NegativeHypergeometricFreeN{.nummer = 7, .name = "Negative hypergeometric",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
