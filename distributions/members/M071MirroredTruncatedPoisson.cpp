// SPDX-License-Identifier: GPL-3.0-or-later
// Member 71: right-truncated Poisson distribution mirrored at the last class.
//   P(x) = (a^{L-x} / (L - x)!) / sum_{j=0}^{L} a^j / j!,  x = 0..L;  a > 0. Truncated at L:
//   every class by the formula, class L holding N over the normaliser.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The fixed-point rounds for a stop on a change below this or after kRunden rounds.
inline constexpr double kToleranz = 0.0001;
inline constexpr std::uint32_t kRunden = 20;

// sum_{j=0}^{L} a^j/j! over a^L/L!, the normaliser over the probability of class 0, with each
// term from its neighbour (no factorial or power leaves the range), in long double.
long double NormiererDurchLetztenTerm(double a, std::uint32_t L) {
  long double u = 1;
  long double s = 1;
  for (std::uint32_t j = L; j > 0; --j) {
    u *= static_cast<long double>(j) / a;
    s += u;
  }
  return s;
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const double dL = L;
  const double M = in.stat.m1x0;
  const auto g = ErsetzteAnfangsklassen(f, L);
  // The mirror point is the last class, L in class indices.
  E[0] = dL * g[0] / g[1];
  Summe z = 0, q = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double d = dL - i;
    z += d * d * f[i] * f[i];
    q += d * f[i + 1] * f[i];
  }
  E[3] = static_cast<double>(z / q);
  // The mean of L - x is a times the share of the normaliser without its last term a^L/L!.
  for (std::uint32_t runde = 0; runde < kRunden; ++runde) {
    const double a = E[3];
    const long double s = NormiererDurchLetztenTerm(a, L);
    E[3] = static_cast<double>((dL - M) * s / (s - 1));
    if (std::fabs(E[3] - a) < kToleranz) break;
  }
}

constexpr Alternative kAlternativen[] = {{{0, 3}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  // The written route NP[L] = N / sum a^j/j!, NP[j] = NP[j+1] a/(L - j) loses everything once
  // the normaliser or a single term leaves the double range. The same ratios are taken from the
  // largest term (class L - min(L, Int(a))) outwards, and the classes normalised at the end.
  const std::uint32_t m = L - std::min(L, BegrenzteAnzahl(std::fmin(a, L), L));
  NP[m] = 1;
  Summe S = 1;
  for (std::uint32_t j = m; j > 0; --j) {
    NP[j - 1] = NP[j] * a / (L - j + 1.0);
    S += NP[j - 1];
  }
  for (std::uint32_t j = m + 1; j <= L; ++j) {
    NP[j] = NP[j - 1] * (L - j + 1.0) / a;
    S += NP[j];
  }
  TermeNormieren(NP, L, N, S, Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM071MirroredTruncatedPoisson{.nummer = 71, .name = "Mirrored truncated Poisson",
    .parZahl = 1, .rest = Restregel::kKeine, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
