// SPDX-License-Identifier: GPL-3.0-or-later
// Member 196: Poisson stopped sum of a two-part Poisson summand.
//   G(s) = exp(lambda (e^(b w (s-1)) - 1) + lambda m (e^((1-w) b (s-1) / m) - 1)): a
//   Poisson(lambda) number of Poisson(b w) summands plus a Poisson(lambda m) number of
//   Poisson((1 - w) b / m) summands; lambda > 0, b > 0, 0 < w < 1, m = F0 > 0 given. Mean
//   lambda b. j P(j) = lambda b sum_s (w Po(s; b w) + (1 - w) Po(s; (1 - w) b / m)) P(j-1-s);
//   the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"
#include "distributions/members/VerallgemeinerteHermite.h"

namespace vk::members {

namespace {

// Moments and the zero class. With M = lambda b, the second factorial cumulant is
// lambda b^2 (w^2 + (1 - w)^2 / m) and P(0) = exp(lambda (e^(-b w) - 1 + m (e^(-(1-w) b/m) - 1))):
// for each w of a grid b and lambda follow from the first two, and the w whose P(0) lies nearest
// to f~[0]/N (in logarithms) is kept. Data without overdispersion give b = 1 and w = 1/2.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double m = in.eig.festparameter[0];
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double ziel = std::log(g[0] / in.stat.summe);
  const double r2 = (in.stat.m2 - M) / M;
  E[1] = 1;
  E[2] = 0.5;
  if (r2 > 0 && m > 0) {
    double besterAbstand = -1;
    for (int k = 1; k < 100; ++k) {
      const double w = k / 100.0;
      const double b = r2 / (w * w + (1 - w) * (1 - w) / m);
      const double lambda = M / b;
      const double logP0 = lambda * (std::exp(-b * w) - 1 + m * (std::exp(-(1 - w) * b / m) - 1));
      const double abstand = std::fabs(logP0 - ziel);
      if (besterAbstand < 0 || abstand < besterAbstand) {
        besterAbstand = abstand;
        E[1] = b;
        E[2] = w;
      }
    }
  }
  E[0] = M / E[1];
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double lambda = par[0];
  const double b = par[1];
  const double w = par[2];
  const double m = in.eig.festparameter[0];
  const double mu1 = b * w;
  const double mu2 = (1 - w) * b / m;
  const double u = std::exp(-mu1);
  const double v = std::exp(-mu2);
  const Summe logP0 = lambda * (u - 1 + m * (v - 1));
  Unterbrechungszaehler stopp(in);
  LineareRekursionMitRest(NP, in.stat.n, in.stat.summe, std::exp(static_cast<double>(logP0)), logP0,
                          [&](std::uint32_t j, double vorher) {
                            // O(L²) in all: a cancel must not wait for the whole evaluation.
                            if (stopp.Zaehlen(j)) return 0.0;
                            // The Poisson weights are formed afresh for each j, in extended
                            // precision, whose range keeps e^-(b w) from vanishing for summand
                            // means up to about 11000.
                            long double po1 = std::exp(-static_cast<long double>(mu1));
                            long double po2 = std::exp(-static_cast<long double>(mu2));
                            Summe faltung = (w * po1 + (1 - w) * po2) * vorher;
                            for (std::uint32_t s = 1; s < j; ++s) {
                              po1 = po1 * mu1 / s;
                              po2 = po2 * mu2 / s;
                              faltung += (w * po1 + (1 - w) * po2) * NP[j - 1 - s];
                            }
                            return lambda * b / static_cast<double>(j) *
                                   static_cast<double>(faltung);
                          });
}

}  // namespace

// clang-format off
const Member kM196PoissonMixedPoissonSummands{.nummer = 196,
    .name = "Poisson stopped sum of mixed Poisson summands", .parZahl = 3, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
