// SPDX-License-Identifier: GPL-3.0-or-later
// Member 70: a distribution on 0..L whose ratio of successive probabilities changes form at two
// given classes.
//   r[0] = 1;  r[i] / r[i-1] = a c / i for i <= Int(k) + 1,  (L - i + 1) a / i up to Int(l) + 1,
//   (L - i + 1) a / l above;  P(i) = r[i] / sum r,  i = 0..L;  a > 0, c > 0, k, l >= 0 fixed.
//   Truncated at L: every class, the last one included, by the formula.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The class where a range of the ratio ends, from a given value.
std::uint32_t Grenze(double wert) {
  return BegrenzteAnzahl(wert, kMaxKlassenIndex);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const double c = in.eig.festparameter[2];
  const double l = in.eig.festparameter[1];
  const std::uint32_t k = Grenze(in.eig.festparameter[0]);
  const std::uint32_t li = Grenze(l);
  // Three ratio regressions through the origin, one per range.
  Summe z0 = 0, n0 = 0;
  for (std::uint32_t i = 0; i <= k && i < L; ++i) {
    const double u = i + 1.0;
    z0 += f[i + 1] * f[i] / u;
    n0 += f[i] * f[i] / (u * u);
  }
  Summe z1 = 0, n1 = 0;
  for (std::uint32_t j = k + 2; j <= li + 1 && j <= L; ++j) {
    const double d = L - j + 1.0;
    const double dj = j;
    z1 += d * f[j] * f[j - 1] / dj;
    n1 += d * d * f[j - 1] * f[j - 1] / (dj * dj);
  }
  Summe z2 = 0, n2 = 0;
  for (std::uint32_t j = li + 2; j <= L; ++j) {
    const double d = L - j + 1.0;
    z2 += d * f[j] * f[j - 1];
    n2 += d * d * f[j - 1] * f[j - 1];
  }
  // A range without classes (or with empty ones) has no regression: it takes the estimate of
  // another range, so that the mean of the three stays the mean of what the data say.
  const bool da0 = n0 > 0, da1 = n1 > 0, da2 = n2 > 0;
  double werte[3] = {da0 ? static_cast<double>(z0 / n0) / c : 0,
                     da1 ? static_cast<double>(z1 / n1) : 0,
                     da2 ? l * static_cast<double>(z2 / n2) : 0};
  const bool da[3] = {da0, da1, da2};
  double ersatz = 1;
  for (std::uint32_t s = 3; s-- > 0;)
    if (da[s]) ersatz = werte[s];
  for (std::uint32_t s = 0; s < 3; ++s) E[s] = da[s] ? werte[s] : ersatz;
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double c = in.eig.festparameter[2];
  const double l = in.eig.festparameter[1];
  const std::uint32_t k = Grenze(in.eig.festparameter[0]);
  const std::uint32_t li = Grenze(l);
  const std::uint32_t L = in.stat.n;
  const double dL = L;
  // A factor c of 0 or below would make classes empty or negative.
  if (!(c > 0)) RaiseInvalid();
  // Terms far beyond the double range (a mode far above class 0) are taken relative to the
  // largest one.
  NormierteTermeBisL(
      NP, L, in.stat.summe,
      [&](std::uint32_t i, double vorher) {
        const double di = i;
        if (i <= k + 1) return vorher * a * c / di;
        if (i <= li + 1) return vorher * (dL - di + 1) * a / di;
        return vorher * (dL - di + 1) * a / l;
      },
      Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM070ThreeRangeBinomialRatios{.nummer = 70, .name = "Three-range ratio distribution",
    .parZahl = 1, .festparZahl = 3, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
