// SPDX-License-Identifier: GPL-3.0-or-later
// Member 209: Yule distribution right-truncated at the last class.
//   P(v) proportional to rho B(v, rho + 1),  v = 1..L + 1;  rho > 0. Class i holds the value
//   v = i + 1; every class by the formula, no remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The terms q[i]/q[0] of the classes 0..L, one by one; q[0] = rho of the formula is left out,
// as the classes are normalised over the terms.
template <typename Klasse>
void TermeDurchlaufen(double rho, std::uint32_t L, Klasse klasse) {
  double q = 1;
  klasse(0, q);
  for (std::uint32_t i = 1; i <= L; ++i) {
    q *= static_cast<double>(i) / (i + rho + 1);
    klasse(i, q);
  }
}

// The truncated distribution's mean class index and share of class 0 at rho.
struct Kennwerte {
  double mittel;
  double anteil0;
};
Kennwerte TruncatedKennwerte(double rho, std::uint32_t L) {
  Summe S = 0, SX = 0;
  TermeDurchlaufen(rho, L, [&](std::uint32_t i, double q) {
    S += q;
    SX += static_cast<Summe>(i) * q;
  });
  return {static_cast<double>(SX / S), static_cast<double>(1 / S)};
}

// The rho in [1e-4, 1e4] at which kennwert(rho) meets ziel, by bisection in log rho (60 rounds
// narrow the bracket to a relative width of 1e-16); `steigend` says whether the characteristic
// grows with rho. A target beyond what the bracket reaches gives its end.
template <typename Kennwert>
double Bisektion(double ziel, bool steigend, Kennwert kennwert) {
  double lo = std::log(1e-4), hi = std::log(1e4);
  for (int runde = 0; runde < 60; ++runde) {
    const double mitte = (lo + hi) / 2;
    const bool darueber = kennwert(std::exp(mitte)) > ziel;
    if (darueber == steigend) {
      hi = mitte;
    } else {
      lo = mitte;
    }
  }
  return std::exp((lo + hi) / 2);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const double M = in.stat.m1x0;
  const auto g = ErsetzteAnfangsklassen(f, L);
  // Four estimates of the untruncated Yule law on the class index (value - 1): the first
  // ratio, f[1]/f[0] = 1/(rho + 2); the mean 1/(rho - 1); P(0) = rho/(rho + 1); the second
  // factorial moment over the mean, 4/(rho - 2). An estimate that is not positive (or whose
  // denominator vanishes) takes the mean of the positive ones.
  const double fm2 = in.stat.m2 + M * M - M;
  const double roh[4] = {g[0] / g[1] - 2, M > 0 ? 1 / M + 1 : 0.0,
                         N > g[0] ? g[0] / (N - g[0]) : 0.0, fm2 > 0 ? 4 * M / fm2 + 2 : 0.0};
  Summe positiv = 0;
  int anzahl = 0;
  for (double r : roh) {
    if (r > 0) {
      positiv += r;
      ++anzahl;
    }
  }
  const double ersatz = anzahl > 0 ? static_cast<double>(positiv / anzahl) : 1.0;
  for (int s = 0; s < 4; ++s) E[s] = roh[s] > 0 ? roh[s] : ersatz;
  const double mittel03 = (E[0] + E[1] + E[2] + E[3]) / 4;

  // The ratio holds under truncation: least squares on rho f[i+1] = (i + 1) f[i] - (i + 2)
  // f[i+1], i < L.
  Summe kreuz = 0, nenner = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double di = static_cast<double>(i);
    kreuz += f[i + 1] * ((di + 1) * f[i] - (di + 2) * f[i + 1]);
    nenner += f[i + 1] * f[i + 1];
  }
  const double regression = nenner > 0 ? static_cast<double>(kreuz / nenner) : 0.0;
  E[50] = regression > 0 ? regression : mittel03;

  // The truncated law's mean and share of class 0 matched to the data's: the mean falls and
  // the share rises with rho.
  E[100] = Bisektion(M, false, [&](double rho) { return TruncatedKennwerte(rho, L).mittel; });
  E[150] =
      Bisektion(f[0] / N, true, [&](double rho) { return TruncatedKennwerte(rho, L).anteil0; });
}

// Alt 1: mean of E[0..3]; Alt 2: E[50]; Alt 3: E[100]; Alt 4: E[150].
constexpr Alternative kAlternativen[] = {{{0, 1, 2, 3}}, {{50}}, {{100}}, {{150}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double rho = par[0];
  const std::uint32_t L = in.stat.n;
  Summe S = 0;
  TermeDurchlaufen(rho, L, [&](std::uint32_t i, double q) {
    NP[i] = q;
    S += q;
  });
  TermeNormieren(NP, L, in.stat.summe, S, Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM209YuleRightTruncated{.nummer = 209, .name = "Right-truncated Yule",
    .parZahl = 1, .rest = Restregel::kKeine, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
