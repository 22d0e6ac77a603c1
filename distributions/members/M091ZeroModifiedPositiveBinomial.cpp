// SPDX-License-Identifier: GPL-3.0-or-later
// Member 91: zero-modified zero-truncated binomial distribution.
//   P(0) = 1 - b,  P(i) = b Bin(i; n, p) / (1 - (1 - p)^n)  for i >= 1;  n a natural number (at
//   least L, raised and written back), p in (0, 1), b = F0 fixed (by default 1 - f[0]/N). The
//   last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// n from the ratios of neighbouring classes beyond class 0: (i + 1) f[i+1] = theta (n - i) f[i]
// with theta = p/(1 - p), fitted as (i + 1) f[i+1] = alpha f[i] + beta i f[i] by least squares
// over i = 1..L-2 (class 0 is modified, the last class a remainder); then n = -alpha/beta. With
// fewer than two usable pairs, or a slope that does not fall, n = L.
double VersucheAusVerhaeltnissen(const Eingaben& in) {
  const std::uint32_t L = in.stat.n;
  Summe uu = 0, uv = 0, vv = 0, uy = 0, vy = 0;
  for (std::uint32_t i = 1; i + 2 <= L; ++i) {
    const double u = in.f[i];
    const double v = i * in.f[i];
    const double y = (i + 1.0) * in.f[i + 1];
    uu += u * u;
    uv += u * v;
    vv += v * v;
    uy += u * y;
    vy += v * y;
  }
  const Summe det = uu * vv - uv * uv;
  if (!(det > 0)) return L;
  const Summe alpha = (uy * vv - vy * uv) / det;
  const Summe beta = (uu * vy - uv * uy) / det;
  if (!(beta < 0)) return L;
  return static_cast<double>(-alpha / beta);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& s = in.stat;
  const std::uint32_t L = s.n;
  E[0] = std::fabs(s.fm2 / s.m1 - s.fm3 / s.fm2);
  E[100] = std::fmax(VersucheAusVerhaeltnissen(in), L);
  const auto [g0, g1, g2, g3] = ErsetzteAnfangsklassen(in.f, L);
  E[1] = 2 * g2 / (2 * g2 + (E[100] - 1) * g1);
}

// Alt 1: (E[100], E[0]); Alt 2: (E[100], E[1]).
constexpr Alternative kAlternativen[] = {{{100}, {0}}, {{100}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  if (par[0] < L) par[0] = L;
  const double n = par[0];
  const double p = par[1];
  const double b = in.eig.festparameter[0];
  // A share outside [0, 1] makes class 0 or all the others negative.
  if (b < 0 || b > 1) RaiseInvalid();
  // 1 - |1 - p|^n as -expm1(n ln|1 - p|): the same value, without the cancellation of the
  // written difference when p n is small.
  const double lnq = p < 1 ? std::log1p(-p) : std::log(std::fabs(1 - p));
  const double qn1 = std::exp((n - 1) * lnq);
  // A subnormal |1 - p|^(n-1) has lost its digits already: the logarithmic route below.
  if (qn1 >= kKleinsteNormale || b == 0 || !(p < 1)) {
    const double p1 = b * n * p * qn1 / -std::expm1(n * lnq);
    KlassenMitRest(NP, L, N, [&](std::uint32_t i, double vorher) {
      const double di = static_cast<double>(i);
      if (i == 0) return N * (1 - b);
      if (i == 1) return N * p1;
      return vorher * (n - di + 1) * p / (di * (1 - p));
    });
    return;
  }
  // |1 - p|^(n-1) below the normal range would leave every class from 1 on 0 or short of digits.
  // The same classes from their logarithm, ln(b N) + ln C(n, i) + i ln p + (n - i) ln(1 - p) -
  // ln(1 - (1 - p)^n), with the coefficient carried along i (n >= L, so no factor reaches 0).
  const double lnbN = std::log(b * N);
  const double lnp = std::log(p);
  const double lnNenner = std::log(-std::expm1(n * lnq));
  Summe lnC = 0;
  KlassenMitRest(NP, L, N, [&](std::uint32_t i, double) {
    const double di = static_cast<double>(i);
    if (i == 0) return N * (1 - b);
    lnC += std::log((n - di + 1) / di);
    return std::exp(lnbN + static_cast<double>(lnC) + di * lnp + (n - di) * lnq - lnNenner);
  });
}

}  // namespace

// clang-format off
const Member kM091ZeroModifiedPositiveBinomial{.nummer = 91,
    .name = "Zero-modified positive binomial", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
