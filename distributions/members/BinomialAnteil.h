// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"

// The binomial with a share b of class 1 moved to class 0, which members 89 (fixed n) and 90
// (free n) share:
//   P(0) = (1 - p)^n (1 + b n p/(1 - p)),  P(1) = n p (1 - p)^(n-1) (1 - b),
//   P(2) = n (n - 1) p^2 (1 - p)^(n-2) / 2,  then the binomial ratio; the last class takes the
// remainder. Classes from 2 on are the binomial's own, so the factorial moments from the second
// on and the ratios from class 3 on carry p alone.
namespace vk::members::binomialanteil {

inline void Berechnen(Erwartungswerte& NP, const TStatistik& stat, double n, double p, double b) {
  const double N = stat.summe;
  // The recurrence from class 2 keeps its digits while (1 - p)^(n-2) is a normal double; a
  // subnormal one has lost them already: the logarithmic route below.
  if (std::pow(1 - p, n - 2) >= kKleinsteNormale || !(p < 1)) {
    KlassenMitRest(NP, stat.n, N, [&](std::uint32_t i, double vorher) {
      const double di = static_cast<double>(i);
      if (i == 0) return N * std::pow(1 - p, n) * (1 + b * n * p / (1 - p));
      if (i == 1) return N * n * p * std::pow(1 - p, n - 1) * (1 - b);
      if (i == 2) return N * n * (n - 1) * p * p * std::pow(1 - p, n - 2) / 2;
      return vorher * (n - di + 1) * p / ((1 - p) * di);
    });
    return;
  }
  // (1 - p)^n below the normal range would make every class 0 or short of digits. The same
  // classes from the binomial's logarithm, ln C(n, i) + i ln p + (n - i) ln(1 - p), with the
  // coefficient carried along i; once a factor n - i + 1 reaches 0 the terms stay 0.
  const double lnp = std::log(p);
  const double lnq = std::log1p(-p);
  Summe lnC = 0;
  bool null = false;
  const auto bin = [&](std::uint32_t i) {
    const double di = static_cast<double>(i);
    if (i > 0) {
      null = null || n - di + 1 <= 0;
      if (!null) lnC += std::log((n - di + 1) / di);
    }
    return null ? 0.0 : std::exp(static_cast<double>(lnC) + di * lnp + (n - di) * lnq);
  };
  const double bin0 = bin(0);
  const double bin1 = bin(1);
  KlassenMitRest(NP, stat.n, N, [&](std::uint32_t i, double) {
    if (i == 0) return N * (bin0 + b * bin1);
    if (i == 1) return N * (1 - b) * bin1;
    return N * bin(i);
  });
}

// The estimates of p and b for a given n:
//   E[0] = fm3 / ((n - 2) fm2), the ratio of the binomial's factorial moments (M/n where that
//   denominator is not positive), brought into (0, 1);
//   E[2] = theta/(1 + theta) from the least squares for f[i] = theta (n - i + 1)/i f[i-1] over
//   the classes i = 3..L-1, theta = p/(1 - p) (E[0] where no pair of classes enters), brought
//   into (0, 1);
//   with q = (E[0] + E[2])/2: E[52] from f~[0] = N P(0) and E[50] from f~[0]/f~[1].
inline void Schaetzen(const Eingaben& in, double n, Schaetzwerttabelle& E) {
  const TStatistik& s = in.stat;
  const std::uint32_t L = s.n;
  const double nenner = (n - 2) * s.fm2;
  E[0] = nenner > 0 ? s.fm3 / nenner : s.m1x0 / n;
  InEinheitsintervallKorrigieren(E[0]);
  Summe A = 0, B = 0;
  for (std::uint32_t i = 3; i < L; ++i) {
    const double di = static_cast<double>(i);
    const double u = (n - di + 1) / di * in.f[i - 1];
    A += u * in.f[i];
    B += u * u;
  }
  if (B > 0) {
    const double theta = static_cast<double>(A / B);
    E[2] = theta / (1 + theta);
  } else {
    E[2] = E[0];
  }
  InEinheitsintervallKorrigieren(E[2]);
  const auto [g0, g1, g2, g3] = ErsetzteAnfangsklassen(in.f, L);
  const double q = (E[0] + E[2]) / 2;
  E[52] = ((g0 / s.summe - std::pow(1 - q, n)) / (n * q)) / std::pow(1 - q, n - 1);
  E[50] = (g0 * n * q - (1 - q) * g1) / (n * q * (g0 + g1));
}

}  // namespace vk::members::binomialanteil
