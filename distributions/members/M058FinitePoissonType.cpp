// SPDX-License-Identifier: GPL-3.0-or-later
// Member 58: a finite distribution on 0..a for a whole a.
//   P(i) = a! / a^a * a^(i-1) (a - i) / i!,  i = 0..a;  a a whole number of at least L + 1 (a
//   smaller a is raised to L + 1 and written back). The last class takes the remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  E[0] = in.stat.n + 1.0;
}

constexpr Alternative kAlternativen[] = {{{0}}};

// Up to here Int(a)! and a^a are both comfortably inside the double range.
constexpr double kGeschriebenBis = 140;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const std::uint32_t L = in.stat.n;
  if (par[0] < L + 1.0) par[0] = L + 1.0;
  const double a = par[0];
  const double N = in.stat.summe;
  const auto hoch = [&](double i, double vorher) {
    return vorher * a * (a - i) / (i * (a - i + 1));
  };
  if (L == 0) {
    // The one class is the remainder, whatever a is.
    NP[0] = N;
    return;
  }
  if (a < kGeschriebenBis) {
    RekursionMitRest(NP, L, N, N * Fakultaet(BegrenzteAnzahl(a, kMaxKlassenIndex)) / std::pow(a, a),
                     hoch);
    return;
  }
  // A larger a overflows both a! and a^a, and from about 745 on their quotient, near
  // sqrt(2 pi a) e^-a, underflows although the classes near the mode are of order one. Start at
  // the mode, the last class whose ratio is at least 1 (or at L - 1 below it), in logarithms:
  // log P(j) = log Int(a)! - a log a + (j - 1) log a + log(a - j) - log j!, the factorials summed.
  const double modus = std::floor(a + 0.5 - std::sqrt(4 * a + 1) / 2);
  const std::uint32_t j = BegrenzteAnzahl(std::fmin(modus, L - 1.0), L - 1);
  const std::uint32_t n = FaktorAnzahl(a);
  Summe logJ = 0, logN = 0;
  for (std::uint32_t k = 2; k <= n; ++k) {
    const Summe l = std::log(static_cast<Summe>(k));
    logN += l;
    if (k <= j) logJ += l;
  }
  const Summe la = std::log(static_cast<Summe>(a));
  const Summe logPj =
      logN - a * la + (j - static_cast<Summe>(1)) * la + std::log(static_cast<Summe>(a) - j) - logJ;
  const double npj = N * static_cast<double>(std::exp(logPj));
  const Summe summe = RekursionVonInnen(NP, L, j, npj, hoch, [&](double i, double danach) {
    return danach * i * (a - i + 1) / (a * (a - i));
  });
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM058FinitePoissonType{.nummer = 58, .name = "Finite Poisson-type", .parZahl = 1,
    .traeger = Traeger::kNull, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
