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

// The start of n. Truncation removes whole classes but leaves the ratios of the remaining ones
// as they were: x f(x)/f(x - 1) = beta (n + 1) - beta x with beta = p/(1 - p), a line in x
// whatever the truncation point. Its least-squares fit over the classes below the last (which
// holds the remainder) gives n = intercept/beta - 1; each ratio is weighted by
// f(x - 1) f(x)/(f(x - 1) + f(x)), the inverse of its relative variance for counted data, so the
// sparse outer classes do not tip the line. n is at least the largest value seen; without two
// ratios or with a line that does not fall (no binomial shape) that value is the start.
double AnzahlAusVerhaeltnissen(const std::vector<double>& g, const KlassenWerte& x,
                               std::uint32_t L) {
  Summe sw = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
  std::uint32_t paare = 0;
  for (std::uint32_t j = 1; j < L; ++j) {
    if (!(g[j - 1] > 0 && g[j] > 0)) continue;
    const double xj = static_cast<double>(x[j]);
    const double y = xj * g[j] / g[j - 1];
    const double w = g[j - 1] * g[j] / (g[j - 1] + g[j]);
    sw += w;
    sx += w * xj;
    sy += w * y;
    sxx += w * xj * xj;
    sxy += w * xj * y;
    ++paare;
  }
  const double xL = static_cast<double>(x[L]);
  if (paare < 2) return xL;
  const Summe nenner = sw * sxx - sx * sx;
  const double steigung = static_cast<double>((sw * sxy - sx * sy) / nenner);
  const double achse = static_cast<double>((sy - static_cast<Summe>(steigung) * sx) / sw);
  const double n = -achse / steigung - 1;
  if (!(steigung < 0) || !(n > xL)) return xL;
  return std::round(n);
}

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
  E[0] = AnzahlAusVerhaeltnissen(g, x, L);
}

void AlternativeWaehlen(const Eingaben& /*in*/, std::uint32_t k, const Schaetzwerttabelle& E,
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
  // Not at the truncation value t: there the whole mass lies on the first class and the simplex
  // finds no slope to leave it.
  p[0] = E[0];
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
