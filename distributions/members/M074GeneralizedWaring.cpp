// SPDX-License-Identifier: GPL-3.0-or-later
// Member 74: generalized Waring distribution.
//   P(0) = Gamma(a + b) Gamma(a + c) / (Gamma(a) Gamma(a + b + c));
//   P(i) / P(i-1) = (i + c - 1)(i + b - 1) / (i (i + a + b + c - 1)),  i = 1, 2, ...;
//   a, b, c > 0. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m1 = in.stat.m1;
  const double c = in.stat.fm2 / m1;
  const double d = in.stat.fm3 / in.stat.fm2;
  E[3] = c;
  E[53] = d;
  E[50] = std::fabs((c + 2) * m1 / (c - 2 * m1) - 1);
  E[0] = std::fabs((2 * (E[50] + 1) + 2 * c) / c - 1);
  E[100] = 1;
  double g = 2 * c - d - m1;
  if (g == 0) g = 1;
  E[200] = std::fabs((4 * c - 3 * d - m1 - 2) / g);
  const double h = E[200];
  const double e = d * (h - 3) - c * (h - 2) - 3;
  E[201] = std::fabs(std::sqrt(std::fabs(e * e - 4 * (h * m1 - h))) + e) / 2;
  E[202] = std::fabs(((h - 2) * c - E[201] - 1) / (E[201] + 1));
}

// Alt 1: (E[0], E[50], E[100]); Alt 2: (E[200], E[201], E[202]).
constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}}, {{200}, {201}, {202}}};

// The terms of the Stirling series beyond (z - 1/2) ln z - z + ln(2 pi)/2, up to z^-9: from
// z = kStirlingAb on they leave an error below 1e-16.
inline constexpr double kStirlingAb = 15;
inline constexpr std::uint32_t kMaxVerschiebung = 16;

double StirlingReihe(double z) {
  const double z2 = z * z;
  return (1.0 / 12 - (1.0 / 360 - (1.0 / 1260 - (1.0 / 1680 - 1.0 / (1188 * z2)) / z2) / z2) / z2) /
         z;
}

// ln Gamma(z + h) - ln Gamma(z) for z, h > 0. Both arguments are raised by the same number of
// steps to at least kStirlingAb (ln Gamma(z) = ln Gamma(z + 1) - ln z), where the series holds;
// the difference of the leading terms is taken as (z - 1/2) ln(1 + h/z) + h ln(z + h) - h, so
// that two logarithms of large Gamma values never cancel.
// T is double for P(0) itself and Summe where P(0) leaves the normal range: the classes then start
// from e^(ln P(0) + ...), and an absolute error of ln P(0) is a relative error of every class.
template <typename T>
T LogGammaDifferenz(double z0, double h0) {
  T z = z0;
  const T h = h0;
  Summe verschiebung = 0;
  for (std::uint32_t k = 0; k < kMaxVerschiebung && z < kStirlingAb; ++k) {
    verschiebung += std::log1p(h / z);
    z += 1;
  }
  const T zh = z + h;
  return static_cast<T>(
      (z - static_cast<T>(0.5)) * std::log1p(h / z) + h * std::log(zh) - h +
      (StirlingReihe(static_cast<double>(zh)) - StirlingReihe(static_cast<double>(z))) -
      verschiebung);
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double c = par[2];
  // The Gamma ratio of P(0) by its logarithms, Gamma(a + b)/Gamma(a) over Gamma(a + b + c)/
  // Gamma(a + c). Stirling sums with two correction terms are close only for large arguments, and
  // their four large logarithms cancel; the same series taken further on raised arguments, as
  // two differences, gives the same P(0) there and the right one near 0 and far out.
  // P(0) is symmetric in b and c: the smaller one as the step keeps the two differences small.
  const double h = std::fmin(b, c);
  const double p0 =
      std::exp(LogGammaDifferenz<double>(a, h) - LogGammaDifferenz<double>(a + b + c - h, h));
  const auto logP0 = [&] {
    return LogGammaDifferenz<Summe>(a, h) - LogGammaDifferenz<Summe>(a + b + c - h, h);
  };
  const double s = a + b + c;
  // A P(0) below the normal range (b and c large beside a) starts the classes at the largest.
  RekursionMitRestGeschuetzt(NP, in.stat.n, in.stat.summe, p0, logP0, [&](double i, double vorher) {
    return vorher * (i + c - 1) * (i + b - 1) / (i * (i + s - 1));
  });
}

}  // namespace

// clang-format off
const Member kM074GeneralizedWaring{.nummer = 74, .name = "Generalized Waring", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
