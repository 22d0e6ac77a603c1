// SPDX-License-Identifier: GPL-3.0-or-later
// Member 25: zero-truncated (positive) negative binomial distribution.
//   P(v) = C(k + v - 1, v) p^k (1 - p)^v / (1 - p^k),  v = 1, 2, 3, ...;  k > 0, p in (0, 1).
//   The recurrence runs on the class values, class 0 holding the value 1; the last class takes
//   the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = Anfangsklassen(in.f, in.stat.n);
  const double q = f0 / in.stat.summe;
  const double m1 = in.stat.m1;

  // Mean and variance with the share of the value 1.
  E[50] = (1 - q) * m1 / in.stat.m2;
  if (E[50] >= 1) E[50] = 0.9;
  E[0] = std::fabs((m1 * E[50] - q) / (1 - E[50]));
  // k from the first three frequencies, p from the first two with the moment p, or from three.
  const double c = 2 * f0 * f3 - f1 * f2;
  E[1] = (c < 1e-6) ? 1 : std::fabs((3 * f1 * f2 - 2 * f0 * f3) / c);
  if (E[1] < 1e-6) E[1] = 0.1;
  E[2] = std::fabs(2 * f1 / (f0 * (1 - E[50])) - 1);
  E[53] = (q + E[0]) / (E[0] + m1);
  E[51] = std::fabs((f0 * f1 + 2 * f1 * f1 - 3 * f0 * f2) / (f0 * f1));
  if (E[51] < 1e-6) E[51] = 0.01;
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}}, {{2}, {51}}, {{1}, {53}}, {Betrag({0, 1, 2}), Betrag({50, 51, 53})}};

// Above this 1 - p^k has lost two digits or more to cancellation.
constexpr double kNaheEins = 0.99;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const KlassenWerte& x = in.x;
  const double k = par[0];
  const double p = par[1];
  const double N = in.stat.summe;
  const double pk = std::pow(p, k);
  // With p^k near 1 (a small k, p near 1) 1 - p^k keeps few digits: it is taken as
  // -expm1(k log p) there. Where p^k falls below the normal range (a large k, a small p) the
  // recurrence starts at the largest class.
  const double nenner = pk > kNaheEins ? -std::expm1(k * std::log(p)) : 1 - pk;
  RekursionMitRestGeschuetzt(
      NP, in.stat.n, N, k * (1 - p) * pk / nenner,
      [&] {
        const Summe logp = std::log(static_cast<Summe>(p));
        return std::log(static_cast<Summe>(k) * (1 - p)) + k * logp -
               std::log1p(-std::exp(k * logp));
      },
      [&](std::uint32_t i, double vorher) {
        const double xi = static_cast<double>(x[i]);
        return vorher * (xi + k - 1) * (1 - p) / xi;
      });
}

}  // namespace

// clang-format off
const Member kM025PositiveNegativeBinomial{.nummer = 25, .name = "Positive negative binomial",
    .parZahl = 2, .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
