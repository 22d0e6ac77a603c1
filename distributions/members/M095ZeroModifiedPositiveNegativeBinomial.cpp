// SPDX-License-Identifier: GPL-3.0-or-later
// Member 95: zero-modified zero-truncated negative binomial distribution.
//   P(0) = 1 - b,  P(i) = b NB(i; k, p) / (1 - p^k)  for i >= 1, NB(i; k, p) = C(k + i - 1, i)
//   p^k (1 - p)^i;  k > 0, p in (0, 1), b = F0 fixed (by default 1 - f[0]/N). The last class
//   takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr double kToleranz = 0.0001;
inline constexpr std::uint32_t kRunden = 11;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& s = in.stat;
  const double m1 = s.m1;
  const double fm2 = s.fm2;
  const double fm3 = s.fm3;
  const std::uint32_t L = s.n;
  E[50] = std::fabs(m1 * fm2 / (m1 * (fm2 + fm3) - fm2 * fm2));
  E[0] = (1 - in.f[1] / s.summe) * m1 / s.m2;
  E[100] = (E[0] + E[50]) / 2;
  // k by the ratio regression over the classes from 2 on with p held, then p from k and the
  // factorial moments; alternately until p and k agree or the rounds are used up.
  for (std::uint32_t runde = 0; runde < kRunden; ++runde) {
    E[150] = E[100];
    Summe S0 = 0, S1 = 0, S2 = 0;
    for (std::uint32_t d = 2; d <= L; ++d) {
      const double dd = d;
      const double vor = in.f[d - 1];
      S0 += in.f[d] * vor / dd;
      S1 += vor * vor * (dd - 1) * (1 - E[150]) / (dd * dd);
      S2 += vor * vor * (1 - E[150]) / (dd * dd);
    }
    E[51] = static_cast<double>(std::fabs((S0 - S1) / S2));
    E[100] = std::fabs((E[51] + 1) / (E[51] + fm2 / m1 + 1));
    NichtNegativMachen(E[51]);
    InEinheitsintervallKorrigieren(E[100]);
    if (std::fabs(E[100] - E[51]) < kToleranz) break;
  }
}

constexpr Alternative kAlternativen[] = {{{51}, {100}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double b = in.eig.festparameter[0];
  const double N = in.stat.summe;
  // A share outside [0, 1] makes class 0 or all the others negative.
  if (b < 0 || b > 1) RaiseInvalid();
  // p^k (1 - p)/(1 - p^k) with 1 - p^k as -expm1(k ln p): the same value, without the
  // cancellation of the written difference for small k.
  const double lnp = std::log(p);
  const double pk = std::exp(k * lnp);
  // A subnormal p^k has lost its digits already: the logarithmic route below.
  if (pk >= kKleinsteNormale || b == 0) {
    const double p1 = b * k * pk * (1 - p) / -std::expm1(k * lnp);
    KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double vorher) {
      const double di = static_cast<double>(i);
      if (i == 0) return N * (1 - b);
      if (i == 1) return N * p1;
      return vorher * (di + k - 1) * (1 - p) / di;
    });
    return;
  }
  // p^k below the normal range (k in the hundreds and more) would make every class from 1 on 0
  // although the mode, near k (1 - p)/p, may lie among them. The same classes from their
  // logarithm, ln(b N) + ln C(k + i - 1, i) + k ln p + i ln(1 - p) (1 - p^k is 1 there), with
  // the coefficient carried along i.
  const double lnbN = std::log(b * N);
  const double ln1p = std::log1p(-p);
  Summe lnC = 0;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    const double di = static_cast<double>(i);
    if (i == 0) return N * (1 - b);
    lnC += std::log((di + k - 1) / di);
    return std::exp(lnbN + static_cast<double>(lnC) + k * lnp + di * ln1p);
  });
}

}  // namespace

// clang-format off
const Member kM095ZeroModifiedPositiveNegativeBinomial{.nummer = 95,
    .name = "Zero-modified positive negative binomial", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
