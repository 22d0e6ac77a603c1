// SPDX-License-Identifier: GPL-3.0-or-later
// Member 143: Poisson stopped sum of Poisson summands with a beta-distributed mean.
//   A Poisson(a) number of summands, each Poisson(c U) with U ~ Beta(1, b) (b = F0; b = 0 is a
//   plain Poisson(c) summand, the Neyman type A distribution); summand pgf
//   g(s) = 1F1(1; b + 1; c (s - 1)), pgf exp(a (g(s) - 1));  a > 0, c > 0, b >= 0.
//   P(0) = exp(a (F - 1)) with F = g_0 = sum_i (-c)^i / ((b + 1)...(b + i)), and the Poisson
//   convolution NP[x] = (a/x) sum_k s_k NP[x-1-k] with s_k = (k + 1) g_(k+1); the last class takes
//   the remainder.
//
//   The alternating series of F cancels (terms of c^i/i! beside a sum near b/c) and the written
//   three-term recurrence of the s_k follows its growing solution, which leaves the decaying
//   g_j within a few terms. The same numbers come from positive series (Kummer's transformation
//   and the beta integral):
//     g_j = t_j S_j,  t_0 = e^-c, t_j = t_(j-1) c/(j + b),
//     S_j = sum_i r_(j,i),  r_(j,0) = 1, r_(j,i) = r_(j,i-1) c (b + i - 1) / (i (j + b + i)),
//     1 - g_0 = e^-c sum_(i>=1) c^i / ((i - 1)! (b + i)),
//   each summed until its terms no longer change it (no cut at L + 100, which is too early once
//   c exceeds about L). They run in long double, whose range holds e^-c up to c of about 11000.
#include <array>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/GestoppteSumme.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  const double b = in.eig.festparameter[0];
  E[0] = std::fabs(2 * M * M * (b + 1) / ((b + 2) * (m2 - M)));
  E[1] = std::fabs((m2 - M) * (b + 2) / (2 * M));
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

// e^-c leaves the range of long double beyond this: a larger summand mean fails the evaluation.
constexpr std::uint32_t kGroessterMittelwert = 11000;

// sum_i r_i from r_0 = erstes with r_i = r_(i-1) verhaeltnis(i), until a term no longer changes
// the sum after the terms have begun to fall; at most `glieder` terms (the terms of the series
// here rise up to about i = c and have fallen below the sum's last digit a few hundred later).
template <typename Verhaeltnis>
long double PositiveReihe(long double erstes, std::uint32_t glieder, Verhaeltnis verhaeltnis) {
  long double r = erstes;
  long double s = r;
  for (std::uint32_t i = 1; i < glieder; ++i) {
    const long double q = verhaeltnis(i);
    r *= q;
    if (s + r == s && q < 1) return s;
    s += r;
  }
  RaiseInvalid();
  return s;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const long double c = par[1];
  const long double b = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const std::uint32_t glieder = 2 * BegrenzteAnzahl(par[1], kGroessterMittelwert) + 1000;
  const long double e = std::exp(-c);
  const auto summe = [&](std::uint32_t j) {
    return PositiveReihe(1, glieder,
                         [&](std::uint32_t i) { return c * (b + i - 1) / (i * (j + b + i)); });
  };
  const long double S0 = summe(0);
  const long double g0 = e * S0;
  const long double einsMinusG0 = e * PositiveReihe(c / (b + 1), glieder, [&](std::uint32_t i) {
                                    return c * (b + i) / (i * (b + i + 1));
                                  });
  // The ratios g_j/g_(j-1) = c/(j + b) S_j/S_(j-1) for j = 2..L - 1, which the convolution reads
  // for every class; kept in a working array, as forming each anew would cost a series per term.
  // They are moderate numbers even where the g_j leave the range of long double.
  std::array<double, kMaxKlassen> verhaeltnis;
  long double vorher = S0;
  long double g1 = 0;
  for (std::uint32_t j = 1; j < L || j == 1; ++j) {
    const long double Sj = summe(j);
    if (j == 1) g1 = e * c / (1 + b) * Sj;
    verhaeltnis[j] = static_cast<double>(c / (j + b) * Sj / vorher);
    vorher = Sj;
  }
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kPoisson, a, 0}, {g0, einsMinusG0, g1},
                      [&](std::uint32_t j) { return static_cast<long double>(verhaeltnis[j]); });
}

}  // namespace

// clang-format off
const Member kM143PoissonBetaPoisson{.nummer = 143, .name = "Poisson stopped sum of beta-Poisson",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
