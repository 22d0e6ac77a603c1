// SPDX-License-Identifier: GPL-3.0-or-later
// Member 178: Zipf-Mandelbrot distribution, right-truncated at the last class.
//   P(x) = (x + b)^-a / sum_{classes} (x[j] + b)^-a  on the values x = x[0]..x[L] (data from 1);
//   a > 0 (an a above 12 becomes 8, written back), b >= -1. Every class by the formula, no
//   remainder. Where the largest term would leave the double range (b near -1) the terms are
//   taken relative to it, in logarithms.
#include <cmath>
#include <vector>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/LogPolynom.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// ln((x0 + 1 + b)/(x0 + b)) / ln((x0 + 2 + b)/(x0 + 1 + b)): the ratio of the first two log
// frequency ratios at b, falling from infinity (b at -x0) to 1 (b without bound).
double Verhaeltnis(double x0, double b) {
  return std::log1p(1 / (x0 + b)) / std::log1p(1 / (x0 + 1 + b));
}

// Slots: a in E[0..4], b in E[50..54]. 1 Zipf (b = 0) through the first two classes; 2 Zipf by
// the frequency-weighted regression of ln f on ln x; 3 a and b through the first three classes
// (b by bisection); 4 b from a grid, each with its weighted regression for a, the one with the
// smallest residual; 5 the means of 3 and 4. Where a construction has no solution (frequencies
// not falling, too few classes) its slots take the Zipf start of the first alternative.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const auto g = ErsetzteKlassen(in.f, L);
  const auto klasse = [&](std::uint32_t i) { return i <= L ? g[i] : 1.0; };
  const double x0 = in.x[0];
  const double l01 = std::log(klasse(0) / klasse(1));
  const double l12 = std::log(klasse(1) / klasse(2));
  E[0] = l01 / std::log1p(1 / x0);
  E[50] = 0;

  std::vector<double> y, w;
  for (std::uint32_t i = 0; i <= L; ++i) {
    y.push_back(std::log(g[i]));
    w.push_back(g[i]);
  }
  const auto regression = [&](double b) {
    std::vector<double> z;
    for (std::uint32_t i = 0; i <= L; ++i) z.push_back(std::log(in.x[i] + b));
    return logpolynom::Anpassen(z, y, w, 1);
  };
  const auto zipf = regression(0);
  E[1] = zipf.gueltig ? -zipf.c1 : E[0];
  E[51] = 0;

  E[2] = E[0];
  E[52] = 0;
  const double R = l01 / l12;
  if (l01 > 0 && l12 > 0 && R > 1) {
    // Verhaeltnis falls in b: bisection on t = ln(x0 + b) between x0 + b = 1e-3 and 1e6.
    double unten = std::log(1e-3), oben = std::log(1e6);
    for (int runde = 0; runde < 100; ++runde) {
      const double mitte = (unten + oben) / 2;
      if (Verhaeltnis(x0, std::exp(mitte) - x0) > R) {
        unten = mitte;
      } else {
        oben = mitte;
      }
    }
    E[52] = std::exp((unten + oben) / 2) - x0;
    E[2] = l01 / std::log1p(1 / (x0 + E[52]));
  }

  E[3] = E[1];
  E[53] = 0;
  double besterRest = zipf.gueltig ? zipf.rest : HUGE_VAL;
  for (double b : {-0.9, -0.5, 0.5, 1.0, 2.0, 4.0, 8.0, 16.0, 32.0}) {
    const auto r = regression(b);
    if (r.gueltig && r.rest < besterRest) {
      besterRest = r.rest;
      E[3] = -r.c1;
      E[53] = b;
    }
  }
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}}, {{1}, {51}}, {{2}, {52}}, {{3}, {53}}, {{2, 3}, {52, 53}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[0] > 12) par[0] = 8;
  const double a = par[0];
  const double b = par[1];
  const std::uint32_t L = in.stat.n;
  double groesstes = -HUGE_VAL;
  for (std::uint32_t i = 0; i <= L; ++i)
    groesstes = std::fmax(groesstes, -a * std::log(in.x[i] + b));
  const bool wieGeschrieben = groesstes < 690;
  Summe S = 0;
  for (std::uint32_t i = 0; i <= L; ++i) {
    const double v = in.x[i] + b;
    NP[i] = wieGeschrieben ? std::pow(v, -a) : std::exp(-a * std::log(v) - groesstes);
    S += NP[i];
  }
  TermeNormieren(NP, L, in.stat.summe, S, Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM178ZipfMandelbrot{.nummer = 178, .name = "Zipf-Mandelbrot", .parZahl = 2,
    .traeger = Traeger::kEins, .rest = Restregel::kKeine, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
