// SPDX-License-Identifier: GPL-3.0-or-later
// Member 140: negative binomial stopped sum of binomial summands.
//   A NB(k, c) number of summands, each binomial(n, p) with n = F0 fixed;
//   pgf (c / (1 - (1 - c) g(s)))^k, g(s) = (1 - p + p s)^n;  k > 0, 0 < p < 1, 0 < c < 1.
//   Computed by the negative binomial convolution recurrence; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/GestoppteSummanden.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// Moment estimates. With u(t) = g(1 + t) - 1 = a1 t + a2 t^2 + a3 t^3 (a1 = n p, a2 = C(n, 2) p^2,
// a3 = C(n, 3) p^3) the factorial cumulants are those of -k ln(1 - P u), P = (1 - c)/c:
//   k2/k1 = (n - 1) p + y,  k3/k1 = (n - 1)(n - 2) p^2 + 3 (n - 1) p y + 2 y^2,  y = P n p,
// so d = (n - 1) p solves d^2/(n - 1) + A d + B - 2 A^2 = 0 (A = k2/k1, B = k3/k1), and
// k = k1/y. Where the data admit no root (or n < 2, where p is not identified by the moments)
// p = 0.5 stands in; y and the other starts are kept inside their domains.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double n = FaktorAnzahl(in.eig.festparameter[0]);
  const auto k = summanden::Kumulanten(in.stat.m1x0, in.stat.fm2, in.stat.fm3);
  const double A = k.k2 / k.k1;
  const double B = k.k3 / k.k1;
  double p = 0.5;
  if (n >= 2) {
    const double diskriminante = A * A - 4 * (B - 2 * A * A) / (n - 1);
    if (diskriminante >= 0) {
      const double d = (std::sqrt(diskriminante) - A) * (n - 1) / 2;
      const double kandidat = d / (n - 1);
      if (kandidat > 0 && kandidat < 1) p = kandidat;
    }
  }
  double y = std::fabs(A - (n - 1) * p);
  if (!(y > 1e-6)) y = 0.1;
  E[1] = p;
  E[0] = std::fabs(k.k1) / y;
  if (!(E[0] > 0)) E[0] = 1;
  // P = y/(n p); c = 1/(1 + P).
  E[2] = 1 / (1 + y / (std::fmax(n, 1) * p));
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double c = par[2];
  const std::uint32_t n = FaktorAnzahl(in.eig.festparameter[0]);
  gestoppt::Berechnen(in, NP, {gestoppt::Art::kNegativBinomial, k, c}, summanden::Binomial(n, p),
                      [&](std::uint32_t j) {
                        return (static_cast<long double>(n) - j + 1) * p / (j * (1.0L - p));
                      });
}

}  // namespace

// clang-format off
const Member kM140NegativeBinomialBinomial{.nummer = 140, .name = "Negative binomial-binomial",
    .parZahl = 3, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
