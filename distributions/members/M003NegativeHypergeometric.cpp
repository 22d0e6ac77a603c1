// SPDX-License-Identifier: GPL-3.0-or-later
// Member 3: negative hypergeometric (beta-binomial) distribution with a given n.
//   P(i) = C(n, i) B(R + i, K - R + n - i) / B(R, K - R),  i = 0..n;  n fixed (F0), K > R > 0
//   free (the beta-binomial with alpha = R, beta = K - R). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/NegativHypergeometrisch.h"

namespace vk::members {

namespace {

namespace nh = negativhypergeometrisch;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const double n = in.eig.festparameter[0];
  nh::MomentSchaetzer(in.stat, n, E);

  // From the ratios of classes 1, 2 and 3, which fix R and K for this n.
  const double f1 = KlasseOderNull(f, L, 1);
  const double f2 = KlasseOderNull(f, L, 2);
  const double f3 = KlasseOderNull(f, L, 3);
  if (f1 > 0 && f2 > 0 && f3 > 0) {
    E[101] = (7 * f2 * f2 * (n - 2) - 6 * f2 * f3 * (n - 3) - 3 * f1 * f3 * (n - 1)) /
             (3 * f1 * f3 * (n - 1) - 2 * f2 * f2 * (n - 2));
    E[100] = E[101] + ((E[101] + 1) * (n - 1) * f1 - 2 * f2 * (n - 2)) / (2 * f2);
  } else {
    E[100] = E[0];
    E[101] = E[1];
  }
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}, {{50}, {51}}, {{100}, {101}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double K = par[0];
  const double R = par[1];
  const double n = in.eig.festparameter[0];
  const double p0 =
      Produkt(1, 0, FaktorAnzahl(n), [&](double j) { return nh::NullFaktor(K, R, j); });
  nh::Berechnen(NP, in.stat, K, R, n, p0,
                [&] { return nh::LogNullProdukt(K, R, 0, FaktorAnzahl(n)); });
}

}  // namespace

// clang-format off
const Member kM003NegativeHypergeometric{.nummer = 3, .name = "Negative hypergeometric (fixed n)",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
