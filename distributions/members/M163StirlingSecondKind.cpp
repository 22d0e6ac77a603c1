// SPDX-License-Identifier: GPL-3.0-or-later
// Member 163: Stirling distribution of the second kind.
//   P(x) = m! S(x, m) a^x / (x! (e^a - 1)^m),  x = m, m + 1, ...;  m a natural number (F0, the
//   first value of the data), a > 0; S the Stirling numbers of the second kind. It is the
//   distribution of a sum of m zero-truncated Poisson(a) counts. The last class takes the
//   remainder. Data whose first value is not m have no class for P(m): a failed evaluation.
#include <array>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"
#include "distributions/members/StirlingSpalte.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = 2 * g[1] / (in.eig.festparameter[0] * g[0]);
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double m = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const std::uint32_t km = BegrenzteAnzahl(m, kMaxKlassenIndex);
  if (static_cast<double>(in.x[0]) != m) RaiseInvalid();
  // The classes are those of the ratio recurrence from N a^m/(e^a - 1)^m, formed as the column m
  // of the laws of sums of k summands: for m in the hundreds the Stirling numbers of a row span
  // more than the double range and the start a^m/(e^a - 1)^m leaves it, while the classes do
  // not. ln(a/(e^a - 1)) = ln a - a - ln(1 - e^-a), without the overflow of e^a
  // (1 - e^-a by expm1 for small a).
  // The column is formed in long double (320 KB on the stack, no allocation): see
  // StirlingSpalte.h for why double does not hold it.
  Unterbrechungszaehler stopp(in);
  const Summe aL = a;
  const Summe logU = std::log(aL) - aL - std::log(-std::expm1(-aL));
  std::array<Summe, kMaxKlassen> g;
  const int E = stirlingspalte::Spalte(g, L, km, aL, 0, logU, stopp);
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    NP[i] = N * static_cast<double>(std::ldexp(g[i], E));
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM163StirlingSecondKind{.nummer = 163, .name = "Stirling of the second kind",
    .parZahl = 1, .festparZahl = 1, .traeger = Traeger::kNichtNull,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
