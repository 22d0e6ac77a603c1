// SPDX-License-Identifier: GPL-3.0-or-later
// Member 23: binomial distribution left-truncated below the data's first value t = x[0] >= 1.
//   P(v) = C(n, v) p^v (1 - p)^(n - v) / (1 - sum_{u<t} C(n, u) p^u (1 - p)^(n - u)),  v = t..n;
//   t fixed (F0), n a natural number, p in (0, 1). The recurrence runs on the class values; the
//   last class takes the remainder.
#include <cmath>
#include <vector>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/LinksgestutzteBinomial.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenWerte& x = in.x;
  const std::uint32_t L = in.stat.n;
  const double m1 = in.stat.m1;
  const double t = in.eig.festparameter[0];
  const double xL = static_cast<double>(x[L]);
  const double x0 = static_cast<double>(x[0]);
  E[1] = (m1 * m1 + in.stat.m2 - m1 * t) / (m1 * (xL - x0 - 1) - (t - 1) * (xL - x0));

  // p/(1 - p) as the mean of x f/(x[L] - x + 1) over the classes above the first, with n = x[L],
  // on the zero-replaced frequencies.
  const std::vector<double> g = ErsetzteKlassen(in.f, L);
  Summe A = 0;
  for (std::uint32_t j = 0; j < L; ++j) {
    const double x1 = static_cast<double>(x[j + 1]);
    A += x1 * g[j + 1] / (xL - x1 + 1);
  }
  const double a = static_cast<double>(A);
  E[2] = a / (a + in.stat.summe - g[L]);
}

void AlternativeWaehlen(const Eingaben& in, std::uint32_t k, const Schaetzwerttabelle& E,
                        Parametervektor& p) {
  switch (k) {
    case 1:
      p[1] = E[1];
      break;
    case 2:
      p[1] = E[2];
      break;
    case 3:
      p[1] = (E[1] + E[2]) / 2;
      break;
    default:
      break;
  }
  p[0] = in.eig.festparameter[0];  // n starts at the truncation value in all three alternatives
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  linksgestutztebinomial::Berechnen(NP, in, par[0], par[1], in.eig.festparameter[0]);
}

}  // namespace

// clang-format off
const Member kM023LeftTruncatedBinomial{.nummer = 23, .name = "Left-truncated binomial",
    .parZahl = 2, .festparZahl = 1, .traeger = Traeger::kNichtNull,
    .schaetzwerte = SchaetzwerteBerechnen, .alternative = AlternativeWaehlen, .alternativenZahl = 3,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
