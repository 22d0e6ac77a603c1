// SPDX-License-Identifier: GPL-3.0-or-later
// Member 39: geometric stopped sum of negative binomial summands (geometric-Pascal).
//   X = Y_1 + ... + Y_K with P(K = j) = c (1 - c)^j and Y ~ NB(k, p),
//   g(j) = C(k + j - 1, j) p^k (1 - p)^j;  pgf c / (1 - (1 - c) G(s));  k > 0, 0 < p, c < 1.
//   With D = 1 - p^k (1 - c):  P(0) = c/D,
//   P(x) = p^k (1 - c) sum_{j=1}^{x} r_j P(x - j) / D,  r_j = C(k + j - 1, j) (1 - p)^j.
//   The last class takes the remainder.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Schnittschranke.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The weights kept in a table per evaluation (8 KB on the stack).
inline constexpr std::uint32_t kGewichte = 1024;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  const double fm3 = in.stat.fm3;
  const double N = in.stat.summe;

  // From the first three factorial moments.
  const double c = fm2 - m1 * m1;
  E[50] = m1 * m1 / c;
  E[51] = (fm3 - 3 * fm2 * m1 + 2 * m1 * m1 * m1) * m1 / (c * c);
  E[100] = std::fabs((E[50] + E[50] * E[50] + 2 - E[51]) / (1 - E[51] - E[50]));
  E[52] = (c + m1 * m1) / ((E[100] - 1) * m1);
  E[53] = m1 / (E[100] * E[52]);

  // From the first four frequencies.
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double d = g[0] * g[2] - g[1] * g[1];
  const double e = 3 * g[0] * g[1] * (g[0] * g[3] - g[1] * g[2]);
  double v = e - (g[1] * g[1] + 2 * g[0] * g[2]) * d;
  if (v == 0) v = 1;
  E[150] = std::fabs(((4 * g[0] * g[2] - g[1] * g[1]) * d - e) / v);
  E[151] = 1 - 2 * d / (g[0] * g[1] * (E[150] + 1));
  double w = (E[150] * g[0] * (1 - E[151]) + g[1]) / N;
  if (w == 0) w = 1;
  E[152] = g[0] * g[0] * E[150] * (1 - E[151]) / w;
}

constexpr Alternative kAlternativen[] = {{{100, 150}, {151}, {152}}};

// On many classes (a word-frequency spectrum has 20001) the convolution costs L^2/2 steps. For
// every s > 1 where G(s) is finite, P(X >= x) <= G(s) s^-x; with 1 < s < 1/(1 - p),
// ln G_Y(s) = k (ln p - ln(1 - (1 - p) s)) and (1 - c) G_Y(s) < 1,
// ln G(s) = ln c - ln(1 - (1 - c) G_Y(s)), so every class from x > (ln G(s) - ln 1e-300) / ln s
// on is below 1e-300 N. Those classes are 0 (a change of less than 1e-300 N each, and of as little
// in the last class, which takes the remainder) and their sums are not formed; every class below
// is computed as written. Schnitt gives the least such x over s = 1 + f (1/(1 - p) - 1) with
// f = 2^-1 .. 2^-30 and 1 - 2^-2 .. 1 - 2^-12; no cut (the largest count) where a parameter is
// outside its domain or no s bounds below 2^32.
std::uint32_t Schnitt(double k, double p, double c, std::uint32_t L) {
  using namespace schnittschranke;
  if (!(k > 0 && p > 0 && p < 1 && c > 0 && c < 1)) return kKeiner;
  // s - 1 up to 1/(1 - p) - 1 = p/(1 - p).
  const double spanne = p / (1 - p);
  if (!Moeglich(spanne, L)) return kKeiner;
  const double logP = std::log(p);
  const double log1mC = std::log1p(-c);
  const double logC = std::log(c);
  Kleinste kleinste;
  const auto versuchen = [&](double f) {
    const double t = f * spanne;
    const double logGY = k * (logP - std::log1p(-(1 - p) * (1 + t)));
    const double logA = log1mC + logGY;  // ln((1 - c) G_Y(s))
    if (!(logA < -1e-12)) return;
    kleinste.Versuchen(logC - std::log(-std::expm1(logA)), t);
  };
  for (int j = 1; j <= 30; ++j) versuchen(std::ldexp(1.0, -j));
  for (int j = 2; j <= 12; ++j) versuchen(1 - std::ldexp(1.0, -j));
  return kleinste.Klasse();
}

// Where p^k is below the normal range (many summands' worth of successes, k in the hundreds or
// more) the written product p^k r_j loses its digits or is 0 while r_j grows beyond the range:
// the weights are then the summand's probabilities g_j = p^k r_j themselves, built once from
// their logarithm. They are kept for all classes, since forming them afresh for each class would
// take a logarithm per step; the same values as the written route wherever that is accurate.
void MitSummandenwahrscheinlichkeiten(const Eingaben& in, double k, double p, double c,
                                      std::uint32_t schnitt, Erwartungswerte& NP) {
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  std::array<double, kMaxKlassen> g;
  double logG = std::log(k) + k * std::log(p) + std::log1p(-p);
  for (std::uint32_t j = 1; j <= L; ++j) {
    if (j > 1) {
      const double dj = static_cast<double>(j);
      logG += std::log((dj + k - 1) * (1 - p) / dj);
    }
    g[j] = std::exp(logG);
  }
  // D = 1 - p^k (1 - c) is 1 to within rounding here.
  Unterbrechungszaehler stopp(in);
  RekursionMitRest(NP, L, N, N * c, [&](std::uint32_t x, double vorher) {
    if (x >= schnitt || stopp.Zaehlen(x)) return 0.0;
    Summe faltung = g[1] * vorher;
    for (std::uint32_t j = 2; j <= x; ++j) faltung += g[j] * NP[x - j];
    return (1 - c) * static_cast<double>(faltung);
  });
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double c = par[2];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double pk = std::pow(p, k);
  if (pk < std::numeric_limits<double>::min() && k > 0 && p > 0 && p < 1 && L > 0) {
    MitSummandenwahrscheinlichkeiten(in, k, p, c, Schnitt(k, p, c, in.stat.n), NP);
    return;
  }
  const double D = 1 - pk * (1 - c);
  Unterbrechungszaehler stopp(in);

  // The weights r_j, the same products in the same order for every x: formed once per
  // evaluation as far as the table goes, beyond it along the sum.
  std::array<double, kGewichte + 1> r;
  const std::uint32_t tabelliert = std::min(L > 1 ? L - 1 : 0, kGewichte);
  r[1] = k * (1 - p);
  for (std::uint32_t j = 2; j <= tabelliert; ++j) {
    const double dj = static_cast<double>(j);
    r[j] = r[j - 1] * (dj + k - 1) * (1 - p) / dj;
  }
  const std::uint32_t schnitt = Schnitt(k, p, c, in.stat.n);
  RekursionMitRest(NP, L, N, N * c / D, [&](std::uint32_t x, double vorher) {
    if (x >= schnitt || stopp.Zaehlen(x)) return 0.0;
    Summe faltung = r[1] * vorher;
    const std::uint32_t bisTabelle = std::min(x, tabelliert);
    for (std::uint32_t j = 2; j <= bisTabelle; ++j) faltung += r[j] * NP[x - j];
    double rj = r[bisTabelle];
    for (std::uint32_t j = bisTabelle + 1; j <= x; ++j) {
      const double dj = static_cast<double>(j);
      rj = rj * (dj + k - 1) * (1 - p) / dj;
      faltung += rj * NP[x - j];
    }
    return pk * (1 - c) * static_cast<double>(faltung) / D;
  });
}

}  // namespace

// clang-format off
const Member kM039GeometricPascal{.nummer = 39, .name = "Geometric-Pascal", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
