// SPDX-License-Identifier: GPL-3.0-or-later
// Member 36: distribution on the values 1, 2, 3, ... with
//   P(x) = p^(x+1) / (x (x + 1) D),  D = p + (1 - p) ln(1 - p),  0 < p < 1,
//   a logarithmic series with the weights 1/(x (x + 1)) in place of 1/x. The last class takes
//   the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// Below this p the written D loses more than three digits (its rounding of 1e-16 against a D of
// about p^2/2); there the series takes over, which needs a dozen terms at most.
inline constexpr double kKleinesP = 0.05;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  // The first two ratios P(2)/P(1) = p/3 and P(3)/P(2) = p/2.
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = 3 * g[1] / g[0];
  E[1] = 2 * g[2] / g[1];
}

void AlternativeWaehlen(const Eingaben&, std::uint32_t, const Schaetzwerttabelle& E,
                        Parametervektor& p) {
  p[0] = (E[0] + E[1]) / 2;
  if (p[0] >= 1) p[0] = 0.8;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const double N = in.stat.summe;
  // For small p the two terms of p + (1 - p) ln(1 - p) cancel to about p^2/2 (all digits at
  // p = 1e-8): there the same number as the positive series sum_{k >= 2} p^k/(k (k - 1)).
  double D = p + (1 - p) * std::log(1 - p);
  if (p < kKleinesP) {
    Summe reihe = 0;
    double pk = p;
    for (std::uint32_t k = 2; k < 200; ++k) {
      pk *= p;
      const Summe neu = reihe + pk / (static_cast<double>(k) * (k - 1));
      if (neu == reihe) break;
      reihe = neu;
    }
    D = static_cast<double>(reihe);
  }
  RekursionMitRest(NP, in.stat.n, N, N * p * p / (2 * D), [&](std::uint32_t i, double vorher) {
    const double xi = static_cast<double>(in.x[i]);
    return vorher * (xi - 1) * p / (xi + 1);
  });
}

}  // namespace

// clang-format off
const Member kM036LogarithmicHarmonic{.nummer = 36, .name = "Logarithmic-harmonic", .parZahl = 1,
    .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternative = AlternativeWaehlen, .alternativenZahl = 1,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
