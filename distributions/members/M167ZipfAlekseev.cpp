// SPDX-License-Identifier: GPL-3.0-or-later
// Member 167: Zipf-Alekseev distribution, right-truncated at the last class, with a given share
// of the first class.
//   P(1) = w,  P(v) = (1 - w) v^(-a - b ln v) / sum_{u=2}^{L+1} u^(-a - b ln u),  v = 2..L+1;
//   a, b real, w = F1 fixed (the share of the first class, f[0]/N of the data; F0 is the largest
//   value, which the member takes from the last class). Class i holds the value i + 1; every
//   class by the formula, no remainder. Where a term would leave the double range (b far below
//   0 on many classes) the terms are taken relative to the largest, in logarithms.
#include <cmath>
#include <vector>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/LogPolynom.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// ln f~[i] = c - a ln(i + 1) - b ln^2(i + 1) on the classes from 1 on. Slots: a in E[0..4], b in
// E[50..54]: 1 Zipf (b = 0) through the classes 1 and 2; 2 Zipf by the frequency-weighted
// regression; 3 exactly through the classes 1, 2 and 3; 4 the weighted quadratic regression;
// 5 the unweighted one. Where a system is singular (too few classes) the slot takes the Zipf
// start of the first alternative.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const auto g = ErsetzteKlassen(in.f, L);
  const auto klasse = [&](std::uint32_t i) { return i <= L ? g[i] : 1.0; };
  const auto u = [](std::uint32_t i) { return std::log(static_cast<double>(i) + 1); };
  const double u1 = u(1), u2 = u(2), u3 = u(3);
  const double l12 = std::log(klasse(1) / klasse(2));
  const double l23 = std::log(klasse(2) / klasse(3));
  E[0] = l12 / (u2 - u1);
  E[50] = 0;
  std::vector<double> z, y, w, eins;
  for (std::uint32_t i = 1; i <= L; ++i) {
    z.push_back(u(i));
    y.push_back(std::log(g[i]));
    w.push_back(g[i]);
    eins.push_back(1);
  }
  const auto zipf = logpolynom::Anpassen(z, y, w, 1);
  E[1] = zipf.gueltig ? -zipf.c1 : E[0];
  E[51] = 0;
  // l12 = a (u2 - u1) + b (u2^2 - u1^2), l23 = a (u3 - u2) + b (u3^2 - u2^2).
  const double d11 = u2 - u1, d12 = u2 * u2 - u1 * u1, d21 = u3 - u2, d22 = u3 * u3 - u2 * u2;
  const double det = d11 * d22 - d12 * d21;
  E[2] = (l12 * d22 - d12 * l23) / det;
  E[52] = (d11 * l23 - d21 * l12) / det;
  const auto gewichtet = logpolynom::Anpassen(z, y, w, 2);
  E[3] = gewichtet.gueltig ? -gewichtet.c1 : E[0];
  E[53] = gewichtet.gueltig ? -gewichtet.c2 : 0;
  const auto ungewichtet = logpolynom::Anpassen(z, y, eins, 2);
  E[4] = ungewichtet.gueltig ? -ungewichtet.c1 : E[0];
  E[54] = ungewichtet.gueltig ? -ungewichtet.c2 : 0;
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}}, {{1}, {51}}, {{2}, {52}}, {{3}, {53}}, {{4}, {54}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double w = in.eig.festparameter[1];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const auto logTerm = [&](std::uint32_t i) {
    const double lv = std::log(static_cast<double>(i) + 1);
    return -(a + b * lv) * lv;
  };
  // As written while the largest term is an ordinary number: terms that underflow beside it are
  // the vanishing fractions they are.
  double groesstes = -HUGE_VAL;
  for (std::uint32_t i = 1; i <= L; ++i) groesstes = std::fmax(groesstes, logTerm(i));
  const bool wieGeschrieben = groesstes < 690 && groesstes > -690;
  Summe S = 0;
  for (std::uint32_t i = 1; i <= L; ++i) {
    const double v = static_cast<double>(i) + 1;
    NP[i] = wieGeschrieben ? std::pow(v, -a - b * std::log(v)) : std::exp(logTerm(i) - groesstes);
    S += NP[i];
  }
  NP[0] = N * w;
  const double s = static_cast<double>(S);
  for (std::uint32_t i = 1; i <= L; ++i) NP[i] = N * (1 - w) * NP[i] / s;
}

}  // namespace

// clang-format off
const Member kM167ZipfAlekseev{.nummer = 167, .name = "Zipf-Alekseev", .parZahl = 2,
    .festparZahl = 2, .traeger = Traeger::kEins, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
