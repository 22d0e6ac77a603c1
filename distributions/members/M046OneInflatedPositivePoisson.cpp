// SPDX-License-Identifier: GPL-3.0-or-later
// Member 46: zero-truncated Poisson distribution on 1, 2, 3, ... with extra weight 1 - b at the
// value 1 (class i holds the value i + 1).
//   P(1) = 1 - b + b a e^-a / (1 - e^-a),  P(v) = b e^-a a^v / (v! (1 - e^-a))  for v >= 2;
//   a > 0, 0 < b < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/VonInnen.h"

namespace vk::members {

namespace {

// The written difference is kept until it would lose three digits (its operands within this of
// each other, relatively); closer, the same number comes from a form without the difference.
inline constexpr double kNahe = 1e-3;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  E[0] = 3 * f[2] / f[1];
  E[2] = -std::log(2 * f[1] / (in.stat.summe * in.stat.fm2));
  const double e0 = std::exp(-E[0]);
  E[50] = (1 - e0) * (1 - f[0] / in.stat.summe) / (1 - e0 * (E[0] + 1));
  const double e2 = std::exp(-E[2]);
  E[51] = (1 - e2) * (in.stat.m1 - 1) / (e2 + E[2] - 1);
}

constexpr Alternative kAlternativen[] = {{{0}, {50}}, {{2}, {51}}, {{0, 2}, {50, 51}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const double ea = std::exp(-a);
  // 1 - e^-a through expm1 where e^-a is near 1 (a small) and the difference would cancel.
  const double einsMinusEa = ea > 1 - kNahe ? -std::expm1(-a) : 1 - ea;
  const std::uint32_t L = in.stat.n;
  if (ea < voninnen::kKleinsterStart && L > 0) {
    // e^-a underflows: the truncated Poisson part from its mode, the extra ones added to class 0.
    voninnen::Leeren(NP, L);
    voninnen::PoissonAddieren(NP, L, a, 1, N * b / einsMinusEa);
    NP[0] += N * (1 - b);
    RestklasseSetzen(NP, L, N, voninnen::Unterhalb(NP, L));
    return;
  }
  // Class i holds the value i + 1.
  RekursionMitRest(
      NP, L, N, N * ((1 - b) + b * a * ea / einsMinusEa), [&](double i, double vorher) {
        return (i == 1) ? N * (b * a * a * ea / (2 * einsMinusEa)) : vorher * a / (i + 1);
      });
}

}  // namespace

// clang-format off
const Member kM046OneInflatedPositivePoisson{.nummer = 46, .name = "One-inflated positive Poisson",
    .parZahl = 2, .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
