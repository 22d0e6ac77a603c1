// SPDX-License-Identifier: GPL-3.0-or-later
// Member 173: right-truncated distribution on the classes 0..L built from two power sums.
//   r[0] = 1, r[1] = a, r[2] = a^2 (a + 2)/(2 (a + 1)); for i >= 3
//   r[i] = a^i (i + a) ((i - 1)! S2(i) + (i - 1)/(i + a - 1) - S1(i)) / i!,
//   S1(i) = sum_{l=1}^{i-2} sum_{o=1}^{i-l-1} (l + a)^-o,  S2(i) = sum_{l=2}^{i-1} (i + a - l)^-l;
//   P(i) = r[i] / sum_{j=0}^{L} r[j], the last class by the tail rule; a > 0. The data start at 0.
//
//   S1 is carried from class to class: S1(i) = S1(i-1) + sum_{l=1}^{i-2} (l + a)^-(i-l-1), which
//   keeps the whole routine of order L^2 where the double sum afresh for every class is of order
//   L^3. While a^L L! is an ordinary number (so at most up to the class 170) the terms are
//   computed as written; beyond (a factorial past 170, a power past the double range) every term is
//   taken in logarithms, a^i (i + a)(S2/i + ((i - 1)/(i + a - 1) - S1)/i!) relative to the largest.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = g[1] / g[0];
}

constexpr Alternative kAlternativen[] = {{{0}}};

// Powers as exp(exponent ln base).
double Potenz(double basis, double exponent) {
  return std::exp(exponent * std::log(basis));
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double lnA = std::log(a);
  // a^i (i - 1)! is the largest product the written form builds: as written while it stays
  // an ordinary number for every class.
  Summe logFakL = 0;
  for (std::uint32_t k = 2; k <= L && k <= 171; ++k) logFakL += std::log(static_cast<double>(k));
  const bool wieGeschrieben = L <= 170 && L * std::fmax(lnA, 0.0) + logFakL < 690;
  Unterbrechungszaehler stopp(in);

  Summe s1 = 0;      // S1(i), carried along i
  Summe logFak = 0;  // log i!, carried along i
  // The terms (or their logarithms) into NP[0..L].
  for (std::uint32_t i = 0; i <= L; ++i) {
    const double di = static_cast<double>(i);
    if (i >= 2) logFak += std::log(di);
    if (i >= 3) {
      if (stopp.Zaehlen(2 * i)) return;
      for (std::uint32_t l = 1; l + 2 <= i; ++l) {
        const double dl = static_cast<double>(l);
        s1 += Potenz(dl + a, -(di - dl - 1));
      }
    }
    double s2 = 0;
    {
      Summe s = 0;
      for (std::uint32_t l = 2; l + 1 <= i; ++l) {
        const double dl = static_cast<double>(l);
        s += Potenz(di + a - dl, -dl);
      }
      s2 = static_cast<double>(s);
    }
    // Only the classes from 3 on read it (at class 0 with a = 1 its quotient would be 1/0).
    const double mitte = i >= 3 ? (di - 1) / (di + a - 1) - static_cast<double>(s1) : 0.0;
    if (wieGeschrieben) {
      if (i == 0) {
        NP[0] = 1;
      } else if (i == 1) {
        NP[1] = a;
      } else if (i == 2) {
        NP[2] = Potenz(a, 2) * (a + 2) / (2 * (a + 1));
      } else {
        NP[i] = Potenz(a, di) * (di + a) * (Fakultaet(i - 1) * s2 + mitte) / Fakultaet(i);
      }
    } else {
      if (i == 0) {
        NP[0] = 0;
      } else if (i == 1) {
        NP[1] = lnA;
      } else if (i == 2) {
        NP[2] = 2 * lnA + std::log((a + 2) / (2 * (a + 1)));
      } else {
        // 1/i! from its logarithm: below the double range it is 0, as the term it weighs.
        const double kehrFak = std::exp(-static_cast<double>(logFak));
        NP[i] = di * lnA + std::log(di + a) + std::log(s2 / di + mitte * kehrFak);
      }
    }
  }
  if (!wieGeschrieben) {
    double groesstes = NP[0];
    for (std::uint32_t i = 1; i <= L; ++i) groesstes = std::fmax(groesstes, NP[i]);
    for (std::uint32_t i = 0; i <= L; ++i) NP[i] = std::exp(NP[i] - groesstes);
  }
  Summe S = 0;
  for (std::uint32_t i = 0; i <= L; ++i) S += NP[i];
  TermeNormieren(NP, L, N, S);
}

}  // namespace

// clang-format off
const Member kM173PoissonTypeDoubleSum{.nummer = 173, .name = "Right-truncated double-sum type",
    .parZahl = 1, .traeger = Traeger::kNull, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
