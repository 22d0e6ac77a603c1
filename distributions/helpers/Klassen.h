// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

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

// The classes 0..3 as the first-ratio estimators read them, 0 beyond L.
inline std::array<double, 4> Anfangsklassen(const KlassenHaeufigkeiten& f, std::uint32_t L) {
  std::array<double, 4> g{};
  for (std::uint32_t i = 0; i < 4; ++i) g[i] = KlasseOderNull(f, L, i);
  return g;
}

// The classes 0..3 after NullhaeufigkeitenErsetzen, on a copy of just these four: the replacement
// of a zero and the step of f[0] away from f[1] depend on nothing beyond them.
inline std::array<double, 4> ErsetzteAnfangsklassen(const KlassenHaeufigkeiten& f,
                                                    std::uint32_t L) {
  std::array<double, 4> g = Anfangsklassen(f, L);
  NullhaeufigkeitenErsetzen(g);
  return g;
}

// The classes 0..L after NullhaeufigkeitenErsetzen, and the one above L that the replacement
// reads: a copy of the whole array, for the estimators that regress over all classes. It
// allocates, so it serves the estimate routines only.
inline std::vector<double> ErsetzteKlassen(const KlassenHaeufigkeiten& f, std::uint32_t L) {
  std::vector<double> g(L + 2, 0.0);
  for (std::uint32_t i = 0; i <= L; ++i) g[i] = f[i];
  NullhaeufigkeitenErsetzen(g);
  return g;
}

// g[1]/g[0], g[2]/g[1], g[3]/g[2]: the first three frequency ratios, on classes already passed
// through ErsetzteAnfangsklassen (so no ratio divides by an empty class).
inline std::array<double, 3> ErsteVerhaeltnisse(const std::array<double, 4>& g) {
  return {g[1] / g[0], g[2] / g[1], g[3] / g[2]};
}

// Least squares through the origin for f[i+1] = a f[i] / u_i, i < L:
// a = sum f[i] f[i+1] / u_i over sum f[i]^2 / u_i^2, with u_i = nenner(i). The ratio regression
// of the Poisson-type members (u_i = i + 1, x_i + 1, b + i).
template <typename Nenner>
double VerhaeltnisRegression(std::span<const double> f, std::uint32_t L, Nenner nenner) {
  Summe z = 0, q = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double u = nenner(i);
    z += f[i] * f[i + 1] / u;
    q += f[i] * f[i] / (u * u);
  }
  return static_cast<double>(z / q);
}

// start * faktor(von) * faktor(von + 1) * ... * faktor(bis - 1), multiplied from the left; j
// reaches the factor as a double. The first term of the urn-type members (binomial-beta,
// negative hypergeometric, Polya, inverse hypergeometric) is such a product.
template <typename Faktor>
double Produkt(double start, std::uint32_t von, std::uint32_t bis, Faktor faktor) {
  double p = start;
  for (std::uint32_t j = von; j < bis; ++j) p *= faktor(static_cast<double>(j));
  return p;
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
