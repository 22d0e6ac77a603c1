// SPDX-License-Identifier: GPL-3.0-or-later
// Member 101: Poisson distribution whose rate is uniform on [a, b].
//   P(x) = (1/(b - a)) integral_a^b e^-t t^x / x! dt
//        = sum_{j<=x} (Pois(j; a) - Pois(j; b)) / (b - a),  x = 0, 1, ...;  0 < a < b.
//   a <= 0 becomes 0.1 and b < a swaps the two (written back). The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m1 = in.stat.m1;
  // Mean (a + b)/2 and variance (a + b)/2 + (b - a)^2/12.
  E[0] = std::sqrt(3.0) * std::sqrt(std::fabs(in.stat.m2 - m1)) + m1;
  E[50] = std::fabs(2 * m1 - E[0]);
  E[51] = std::fabs((3 * in.stat.fm2 - 2 * in.stat.fm3 / m1) / E[0]);
}

constexpr Alternative kAlternativen[] = {{{50}, {0}}, {{51}, {0}}, {{50, 51}, {0}}};

// The terms t_j = Pois(j; a) - Pois(j; b) and their partial sums are the written form; summed
// as they stand they cancel twice: where a and b are close each t_j is a difference of nearly
// equal numbers, and beyond the crossing j* (where t_j changes sign) P(x) is a small remainder
// of two sums near 1. Here each t_j comes from expm1 of log(Pois(j; b)/Pois(j; a)) where the two
// are close, and the classes from j* on are summed downward from the tail, sum_{j>x} (-t_j),
// where all terms have one sign. The Poisson terms run in extended precision, whose range keeps
// e^-a and e^-b representable far beyond the double range.
void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[0] <= 0) par[0] = 0.1;
  if (par[1] < par[0]) std::swap(par[0], par[1]);
  const long double a = par[0];
  const long double b = par[1];
  const long double d = b - a;
  const long double logVerhaeltnis = std::log1p(d / a);
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double Nd = static_cast<double>(N / d);

  long double pa = std::exp(-a);
  long double pb = std::exp(-b);
  const auto differenz = [&](std::uint32_t j) {
    const long double z = j * logVerhaeltnis - d;
    return std::fabs(z) < 0.5L ? -pa * std::expm1(z) : pa - pb;
  };
  const auto weiter = [&](std::uint32_t j) {
    pa *= a / (j + 1);
    pb *= b / (j + 1);
  };

  // Below the crossing: partial sums of positive terms.
  Summe C = 0;
  std::uint32_t j = 0;
  for (; j < L; weiter(j), ++j) {
    const long double t = differenz(j);
    if (t < 0) break;
    C += t;
    NP[j] = static_cast<double>(Nd * C);
  }
  if (j < L) {
    // From the crossing on: the negated terms wait in NP until the tail beyond L is summed.
    const std::uint32_t J = j;
    for (; j < L; weiter(j), ++j) NP[j] = static_cast<double>(-differenz(j));
    Summe U = 0;
    const std::uint32_t grenze = L + kMaxWeitereTerme;
    for (; j < grenze; weiter(j), ++j) {
      const long double t = -differenz(j);
      U += t;
      if (j > b && t <= U * 1e-22L) break;
    }
    if (j == grenze) RaiseInvalid();
    for (std::uint32_t x = L; x-- > J;) {
      const double t = NP[x];
      NP[x] = static_cast<double>(Nd * U);
      U += t;
    }
  }
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) summe += NP[i];
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM101PoissonUniformMixture{.nummer = 101, .name = "Poisson-uniform", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
