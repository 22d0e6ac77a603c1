// SPDX-License-Identifier: GPL-3.0-or-later
// Member 172: Poisson terms up to the class m, a power-weighted tail beyond.
//   r[0] = 1,  r[i] = a r[i-1] / i for i <= m,  r[i] = a r[i-1] / (i^b m^(1-b)) for i > m,
//   P(i) = r[i] / sum_{j>=0} r[j];  a > 0, b > 0, m = Int(F0) >= 1 fixed. The normaliser sums
//   the L + 101 terms r[0..L+100] and on while a term still changes it (a small b lets the tail
//   fall slowly).
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const auto g = ErsetzteKlassen(in.f, L);
  const auto klasse = [&](std::uint32_t j) { return j <= L ? g[j] : 1.0; };
  // A change point below 1 has no ratio of its own to read (log(m/(m + 1)) would be -inf): the
  // estimate reads the classes 1 and 2 instead.
  const std::uint32_t m = std::max(FaktorAnzahl(in.eig.festparameter[0]), 1u);
  const double dm = static_cast<double>(m);
  E[0] = g[1] / g[0];
  // f[m+1]/f[m] = a/((m + 1)^b m^(1-b)).
  E[1] = std::fabs(std::log(klasse(m + 1) * dm / (E[0] * klasse(m))) / std::log(dm / (dm + 1)));
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const std::uint32_t m = FaktorAnzahl(in.eig.festparameter[0]);
  const double mTeil = std::pow(static_cast<double>(m), 1 - b);
  NormierteTermeBisKonvergenz(NP, in.stat.n, in.stat.summe, 1, [&](std::uint32_t i, double vorher) {
    const double di = static_cast<double>(i);
    return i <= m ? a * vorher / di : a * vorher / (std::pow(di, b) * mTeil);
  });
}

}  // namespace

// clang-format off
const Member kM172PoissonChangedTail{.nummer = 172, .name = "Poisson with a changed tail",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
