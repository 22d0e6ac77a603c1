// SPDX-License-Identifier: GPL-3.0-or-later
// Member 177: generalized negative binomial (Lagrangian negative binomial) distribution.
//   P(x) = k/(k + beta x) C(k + beta x, x) p^x (1 - p)^(k + beta x - x),  x = 0, 1, 2, ...;
//   k > 0, 0 < p < 1, beta >= 1 (beta = 1: negative binomial; for beta p >= 1 the classes hold
//   less than 1, the last class takes the rest). Each class from its closed form,
//   k p^x t_x (1 - p)^(k + x beta - x) with t_x = prod_{c=1}^{x-1} (x beta + k - c)/(c + 1), as
//   written while t_x and the two powers are ordinary numbers; where one of them leaves the
//   double range (many classes: t_x grows like a binomial coefficient while the powers vanish)
//   the class is the exponential of the sum of their logarithms.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Lagrange.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  const double N = in.stat.summe;
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[1] = 0.1;
  E[0] = std::log(g[0] / N) / std::log(std::fabs(1 - E[1]));
  E[2] = (M / E[1] - E[0]) / M;
  E[52] = (1 - std::sqrt(0.9 * M / m2)) / 0.1;
  E[50] = (1 - 0.1 * E[2]) * M / 0.1;
  E[100] = E[50];
  E[101] = E[1];
  E[102] = E[52];
  for (int runde = 0; runde < 200; ++runde) {
    E[150] = E[100];
    E[151] = E[101];
    E[152] = E[102];
    E[100] = std::log(g[0] / N) / std::log(std::fabs(1 - E[151]));
    if (E[100] > 20) E[100] = 10;
    E[102] = std::log(g[1] / (g[0] * E[150] * E[151])) / std::log(std::fabs(1 - E[151])) + 1;
    if (E[102] > 20) E[102] = 5;
    const double t = M * M * M / (m2 * E[100] * E[100]);
    E[101] = (std::sqrt(t * (t + 4)) - t) / 2;
    if (E[101] >= 1) E[101] = 0.9;
    if (std::fabs(E[101] - E[151]) < 0.0001) break;
  }
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}, {{50}, {1}, {52}}, {{100}, {101}, {102}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double beta = par[2];
  const double N = in.stat.summe;
  const double q = std::fabs(1 - p);
  const double lnP = std::log(p);
  const double lnQ = std::log(q);
  Unterbrechungszaehler stopp(in);
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    const double di = static_cast<double>(i);
    if (i == 0) return N * std::pow(q, k);
    if (i == 1) return N * k * p * std::pow(q, k + beta - 1);
    // O(i) per class: on many classes a cancel must not wait for the whole evaluation.
    if (stopp.Zaehlen(2 * i)) return 0.0;
    // log t_x, and the largest partial product on the way, which the written product passes.
    Summe logT = 0, groesstes = 0;
    for (std::uint32_t c = 1; c < i; ++c) {
      const double dc = static_cast<double>(c);
      logT += std::log((di * beta + k - dc) / (dc + 1));
      if (logT > groesstes) groesstes = logT;
    }
    const double exponent = k + di * beta - di;
    if (groesstes < lagrange::kLogSicher && lagrange::Gewoehnlich(logT) &&
        lagrange::Gewoehnlich(di * lnP) && lagrange::Gewoehnlich(exponent * lnQ)) {
      double t = 1;
      for (std::uint32_t c = 1; c < i; ++c) {
        const double dc = static_cast<double>(c);
        t *= (di * beta + k - dc) / (dc + 1);
      }
      return N * k * std::pow(p, di) * t * std::pow(q, exponent);
    }
    return N * k * static_cast<double>(std::exp(logT + di * lnP + exponent * lnQ));
  });
}

}  // namespace

// clang-format off
const Member kM177GeneralizedNegativeBinomial{.nummer = 177,
    .name = "Generalized negative binomial", .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
