// SPDX-License-Identifier: GPL-3.0-or-later
// Member 109: zero-modified (zero-truncated, then given the zero share 1 - b) binomial
// distribution with a given number of trials.
//   P(0) = 1 - b,  P(i) = b C(n, i) p^i (1 - p)^(n - i) / (1 - (1 - p)^n),  i = 1..n;
//   0 < p < 1 free; n (F0) and b (F1) fixed. The last class takes the remainder.
#include <cmath>
#include <limits>

#include "distributions/Helpers.h"
#include "distributions/helpers/RekursionAbKlasse.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double fm2 = in.stat.fm2;
  // fm2/m1 = (n - 1) p and fm3/fm2 = (n - 2) p whatever the zero share is.
  E[0] = std::fabs(fm2 / in.stat.m1 - in.stat.fm3 / fm2);
  if (E[0] > 1) E[0] = 0.9;
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const double n = in.eig.festparameter[0];
  const double b = in.eig.festparameter[1];
  // A number of trials that is not whole would turn the ratio negative beyond n.
  if (n != std::trunc(n)) RaiseInvalid();
  const double N = in.stat.summe;
  const double q = std::fabs(1 - p);
  const std::uint32_t L = in.stat.n;
  const double qn1 = std::pow(q, n - 1);
  const double nenner = 1 - std::pow(q, n);
  NP[0] = N * (1 - b);
  // Where P(1) lies below the normal range (a mode far above class 1), the classes from 1 on
  // start at the largest one, from ln P(1) = ln b + ln n + ln p + (n - 1) ln q - ln(1 - q^n).
  const auto logP1 = [&] {
    if (!(b > 0)) return -std::numeric_limits<Summe>::infinity();
    const Summe ln = n;
    const Summe lq = q;
    return std::log(static_cast<Summe>(b)) + std::log(ln) + std::log(static_cast<Summe>(p)) +
           (ln - 1) * std::log(lq) - std::log(-std::expm1(ln * std::log(lq)));
  };
  const Summe summe = RekursionAbKlasseGeschuetzt(
      NP, L, N, 1, L > 0 ? NP[0] : 0.0, b * n * p * qn1 / nenner, N * b * n * p * qn1 / nenner,
      logP1, [&](double i, double vorher) { return vorher * (n - i + 1) * p / ((1 - p) * i); });
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM109ZeroModifiedBinomialFixedN{.nummer = 109,
    .name = "Zero-modified binomial (fixed n and b)", .parZahl = 1, .festparZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
