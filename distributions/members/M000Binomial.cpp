// SPDX-License-Identifier: GPL-3.0-or-later
// Member 0: binomial distribution.
//   P(i) = C(n, i) p^i (1 - p)^(n - i),  i = 0..n;  parameters n (a natural number, raised to
//   the last class index L when smaller) and p in (0, 1). The last class takes the remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Binomial.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The iteration for n steps up by about 1 + (m2 - M)/(2M) per round until p = M/n falls below
// 0.001, i.e. for some 1000 M rounds of O(L) work each. Its rule sets no round limit; this one
// bounds the work to about 1e8 terms, which lets every data set with a moderate mean finish by
// its own stop and keeps a pathological one from stalling the fit.
inline constexpr double kNewtonArbeit = 1e8;
inline constexpr std::uint32_t kNewtonMindestRunden = 1000;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const double dL = static_cast<double>(L);
  const double N = in.stat.summe;
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;

  E[0] = dL;
  E[1] = std::fabs(M * M / (M - m2));
  E[50] = M / dL;
  E[51] = std::fabs(1 - m2 / M);
  E[52] = (f[0] > 0) ? std::fabs(1 - std::pow(f[0] / N, 1 / dL)) : E[51];

  E[53] = binomial::VerhaeltnisRegression(f, in.x, L, dL);  // with n = L

  // Newton steps for n with p = M/n; T_i = sum of f[j] for j > i, accumulated from the top.
  const auto runden =
      std::max(kNewtonMindestRunden, static_cast<std::uint32_t>(kNewtonArbeit / (dL + 1)));
  double n = dL;
  double p = M / n;
  for (std::uint32_t runde = 1;; ++runde) {
    p = M / n;
    Summe z = 0, q = 0, T = 0;
    for (std::uint32_t i = L; i-- > 0;) {
      T += f[i + 1];
      const double d = n - static_cast<double>(i);
      z += T / d;
      q += T / (d * d);
    }
    const double neu = n + 1 + static_cast<double>((N * std::log(1 - p) + z) / q);
    // The stored pair is the last n used and its p, so the step just computed is dropped.
    if (std::fabs(neu - n) < 0.1 || p < 0.001 || runde == runden) break;
    n = neu;
  }
  E[5] = n;
  E[55] = p;
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}}, {{1}, {51}}, {{1}, {52}}, {{0, 1}, {53}}, {{0, 1}, {50, 51, 52, 53}}, {{5}, {55}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const std::uint32_t L = in.stat.n;
  if (static_cast<double>(L) > par[0]) par[0] = static_cast<double>(L);
  binomial::Berechnen(NP, in.stat, par[0], par[1]);
}

}  // namespace

// clang-format off
const Member kM000Binomial{.nummer = 0, .name = "Binomial", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
