// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"

// What the Polya members 14 (fixed n) and 15 (free n) share: the ratio of
//   P(i) = C(n, i) prod_{j<i} (p + j s) prod_{j<n-i} (1 - p + j s) / prod_{j<n} (1 + j s),
// the factors (1 - p + j s)/(1 + j s) of P(0) and the recurrence from it (the last class N minus
// the others, without an absolute value), and the estimators of p (mean) and s (variance, first
// ratio) for a given n.
namespace vk::members::polya {

// P(i)/P(i-1).
inline double Verhaeltnis(double s, double p, double n, double i) {
  return (n - i + 1) * ((i - 1) * s + p) / (i * (1 - p + (n - i) * s));
}

// The factor j of P(0) = prod_{j<n} (1 - p + j s)/(1 + j s).
inline double NullFaktor(double s, double p, double j) {
  return (1 - p + j * s) / (1 + j * s);
}

// P(0) = start * prod_{j=von}^{bis-1} NullFaktor(s, p, j), multiplied from the left as Produkt
// does; it asks the fit's abort poll every kUnterbrechungsTakt factors, since a fixed n of
// millions makes it long.
inline double NullProdukt(const Eingaben& in, double start, double s, double p, std::uint32_t von,
                          std::uint32_t bis) {
  Unterbrechungszaehler stopp(in);
  double q = start;
  for (std::uint32_t j = von; j < bis; ++j) {
    q *= NullFaktor(s, p, static_cast<double>(j));
    if ((j & (kUnterbrechungsTakt - 1)) == 0 && stopp.Zaehlen(kUnterbrechungsTakt)) break;
  }
  return q;
}

// log of start * prod_{j=von}^{bis-1} NullFaktor(s, p, j), summed in extended precision. With a
// fixed n of millions this is the evaluation's whole cost (a logarithm per draw): it asks the
// fit's abort poll as it goes, so that Ctrl-C ends it within milliseconds (the evaluation then
// counts as failed).
inline Summe LogNullProdukt(double start, double s, double p, std::uint32_t von, std::uint32_t bis,
                            Unterbrechungszaehler& stopp) {
  Summe l = std::log(static_cast<Summe>(start));
  for (std::uint32_t j = von; j < bis; ++j) {
    l += std::log(static_cast<Summe>(NullFaktor(s, p, static_cast<double>(j))));
    if ((j & (kUnterbrechungsTakt - 1)) == 0 && stopp.Zaehlen(kUnterbrechungsTakt)) break;
  }
  return l;
}

// The expected frequencies from P(0) = p0 = start * prod_{j=von}^{bis-1} NullFaktor(s, p, j)
// by the ratio. Where p0 has fallen below the normal range (many draws, p near 1) the recurrence
// starts at the largest class, from the logarithm of the same product.
inline void Berechnen(Erwartungswerte& NP, const Eingaben& in, double s, double p, double n,
                      double p0, double start, std::uint32_t von, std::uint32_t bis) {
  const TStatistik& stat = in.stat;
  Unterbrechungszaehler stopp(in);
  const auto schritt = [&](double i, double vorher) { return vorher * Verhaeltnis(s, p, n, i); };
  // Outside s >= 0, 0 < p < 1 the factors of P(0) may change sign and have no logarithm: the
  // written route, whatever it gives.
  if (!(s >= 0 && p > 0 && p < 1)) {
    RekursionMitRest(NP, stat.n, stat.summe, stat.summe * p0, schritt, Restregel::kOhneBetrag);
    return;
  }
  RekursionMitRestGeschuetzt(
      NP, stat.n, stat.summe, p0, [&] { return LogNullProdukt(start, s, p, von, bis, stopp); },
      schritt,
      Restregel::kOhneBetrag);
}

// E[1] = p from the mean M = n p; E[0] = s from the variance n p (1 - p)(1 + n s)/(1 + s);
// E[50] = s from the first ratio f~[1]/f~[0] = n p/(1 - p + (n - 1) s).
inline void Schaetzer(const TStatistik& stat, const KlassenHaeufigkeiten& f, double n,
                      Schaetzwerttabelle& E) {
  const double M = stat.m1x0;
  const double m2 = stat.m2;
  const auto g = ErsetzteAnfangsklassen(f, stat.n);
  E[1] = M / n;
  const double p = E[1];
  E[0] = std::fabs((n * p * (1 - p) - m2) / (m2 - p * n * n * (1 - p)));
  E[50] = (M * g[0] - (1 - M / n) * g[1]) / g[1] / (n - 1);
}

}  // namespace vk::members::polya
