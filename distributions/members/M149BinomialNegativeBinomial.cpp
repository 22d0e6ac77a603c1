// SPDX-License-Identifier: GPL-3.0-or-later
// Member 149: binomial stopped sum of negative binomial summands.
//   A binomial(m, pi) number of summands (m = F0), each NB(k, p):
//   g_j = C(k + j - 1, j) p^k (1 - p)^j;  pgf (1 - pi + pi g(s))^m, g(s) = (p/(1 - (1 - p) s))^k;
//   k > 0, 0 < pi < 1, 0 < p < 1. Computed by the binomial convolution recurrence; the last
//   class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/GestoppteSummanden.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// Moment estimates. With u(t) = g(1 + t) - 1 = k P t + k(k + 1) P^2 t^2/2 + ..., P = (1 - p)/p,
// the factorial cumulants are those of m ln(1 + pi u):
//   k1 = m pi k P,  k2/k1 = (k + 1) P - y,  k3/k1 = (k + 1)(k + 2) P^2 - 3 y (k + 1) P + 2 y^2
// with y = pi k P = k1/m. So z = (k + 1) P = A + y (A = k2/k1), P = (B - 2y^2 + 3yz - z^2)/z
// (B = k3/k1), k = z/P - 1 and pi = y/(k P). Where the data give no positive P or k, k = 1 and
// P = z/2 stand in; pi is kept inside (0, 1).
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m = in.eig.festparameter[0];
  const auto kum = summanden::Kumulanten(in.stat.m1x0, in.stat.fm2, in.stat.fm3);
  const double A = kum.k2 / kum.k1;
  const double B = kum.k3 / kum.k1;
  const double y = std::fabs(kum.k1 / m);
  double z = A + y;
  if (!(z > 1e-6)) z = 2 * y + 0.1;
  double P = (B - 2 * y * y + 3 * y * z - z * z) / z;
  double k = z / P - 1;
  if (!(P > 0 && k > 0)) {
    k = 1;
    P = z / 2;
  }
  double pi = y / (k * P);
  if (!(pi > 0 && pi < 1)) pi = 0.5;
  E[0] = k;
  E[1] = pi;
  E[2] = 1 / (1 + P);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}};

// Beyond this the long-double powers (1 - pi)^m and p^(r k) may leave their range: the
// convolution recurrence takes over there.
constexpr long double kLogBereich = 11000;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double pi = par[1];
  const double p = par[2];
  const double m = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const long double logEinsMinusPi = std::log1p(-static_cast<long double>(pi));
  const long double logP = std::log(static_cast<long double>(p));
  // The binomial recurrence weights its terms by (m + 1) j - x, of either sign: the classes
  // far out come from sums that cancel. For a whole m the same classes are the finite sum
  // sum_(r=0..m) Bin(r; m, pi) NB(x; r k, p) of positive terms, each negative binomial by its
  // ratio from p^(r k).
  if (m >= 0 && m <= kMaxKlassenIndex && m == std::floor(m) && -m * logEinsMinusPi < kLogBereich &&
      -m * k * logP < kLogBereich && m * L < 1e8) {
    const std::uint32_t anzahl = static_cast<std::uint32_t>(m);
    for (std::uint32_t x = 0; x < L; ++x) NP[x] = 0;
    long double w = std::exp(m * logEinsMinusPi);
    for (std::uint32_t r = 0; r <= anzahl; ++r) {
      if (r > 0) w *= (m - r + 1) * pi / (r * (1.0L - pi));
      const long double rk = r * static_cast<long double>(k);
      long double t = std::exp(rk * logP);
      for (std::uint32_t x = 0; x < L; ++x) {
        if (x > 0) t *= (x + rk - 1) * (1.0L - p) / x;
        NP[x] += static_cast<double>(N * w * t);
      }
    }
    Summe summe = 0;
    for (std::uint32_t x = 0; x < L; ++x) summe += NP[x];
    RestklasseSetzen(NP, L, N, summe);
    return;
  }
  gestoppt::Berechnen(
      in, NP, {gestoppt::Art::kBinomial, m, pi}, summanden::NegativBinomial(k, p),
      [&](std::uint32_t j) { return (j + static_cast<long double>(k) - 1) * (1.0L - p) / j; });
}

}  // namespace

// clang-format off
const Member kM149BinomialNegativeBinomial{.nummer = 149, .name = "Binomial-negative binomial",
    .parZahl = 3, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
