// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "distributions/Member.h"
#include "distributions/helpers/Haeufigkeiten.h"
#include "distributions/helpers/Numerik.h"
#include "distributions/helpers/Parameter.h"
#include "distributions/helpers/Schemata.h"

namespace vk {

// Small pieces that many members share besides the schemes of Schemata.h.

// f[i] of a class that exists, 0 for an index beyond the last class L: the first-ratio
// estimators read classes 0..3 whatever L is, and classes beyond L count as empty.
inline double KlasseOderNull(const KlassenHaeufigkeiten& f, std::uint32_t L, std::uint32_t i) {
  return i <= L ? f[i] : 0.0;
}

// The classes 0..3 after NullhaeufigkeitenErsetzen, on a copy of just these four: the replacement
// of a zero and the step of f[0] away from f[1] depend on nothing beyond them.
inline std::array<double, 4> ErsetzteAnfangsklassen(const KlassenHaeufigkeiten& f,
                                                    std::uint32_t L) {
  std::array<double, 4> g{};
  for (std::uint32_t i = 0; i < 4; ++i) g[i] = KlasseOderNull(f, L, i);
  NullhaeufigkeitenErsetzen(g);
  return g;
}

// The tail rule without the absolute value: the last class is N - (NP[0] + ... + NP[L-1]),
// negative when the classes below L already hold more than N.
inline void RestklasseOhneBetragSetzen(Erwartungswerte& NP, std::uint32_t L, double N,
                                       Summe summe) {
  NP[L] = static_cast<double>(static_cast<Summe>(N) - summe);
}

// RekursionMitRest with the tail rule without the absolute value.
template <typename Schritt>
void RekursionMitRestOhneBetrag(Erwartungswerte& NP, std::uint32_t L, double N, double np0,
                                Schritt schritt) {
  RestklasseOhneBetragSetzen(NP, L, N, RekursionBisRest(NP, L, np0, schritt));
}

// RekursionMitRest for recurrences on the class values: `schritt` receives the class index as an
// integer, to read x[i] with it.
template <typename Schritt>
void RekursionMitRestJeKlasse(Erwartungswerte& NP, std::uint32_t L, double N, double np0,
                              Schritt schritt) {
  NP[0] = np0;
  Summe summe = 0;
  if (L > 0) summe = NP[0];
  for (std::uint32_t i = 1; i < L; ++i) {
    NP[i] = schritt(i, NP[i - 1]);
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

// Terms r[0] = 1, r[i] = schritt(i, r[i-1]) for i = 1..L, every class normalised over 0..L:
// NP[i] = N r[i] / S. For distributions right-truncated at the last class, which has no tail.
template <typename Schritt>
void NormierteTermeOhneRest(Erwartungswerte& NP, std::uint32_t L, double N, Schritt schritt) {
  double r = 1;
  Summe S = r;
  NP[0] = r;
  for (std::uint32_t i = 1; i <= L; ++i) {
    r = schritt(static_cast<double>(i), r);
    S += r;
    NP[i] = r;
  }
  const double s = static_cast<double>(S);
  for (std::uint32_t i = 0; i <= L; ++i) NP[i] = N * NP[i] / s;
}

// A number of factors Int(x) taken from a parameter: products over j < Int(x) are empty for
// x < 1. Beyond kGrenzeFaktoren the value raises the invalid fault (a failed evaluation): a
// product of ten million factors per evaluation is far outside any data set's range and would
// only stall the fit.
inline constexpr std::uint32_t kGrenzeFaktoren = 10'000'000;
inline std::uint32_t FaktorAnzahl(double x) {
  if (x < 1) return 0;
  return BegrenzteAnzahl(x, kGrenzeFaktoren);
}

}  // namespace vk
