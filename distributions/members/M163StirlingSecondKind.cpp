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

inline constexpr double kExpGrenze = 700;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = 2 * g[1] / (in.eig.festparameter[0] * g[0]);
}

constexpr Alternative kAlternativen[] = {{{0}}};

// The ratios S(x, m) a/(x S(x - 1, m)) of the classes 1..L-1 into NP[1..L-1], the recurrence as
// written; false where the row cannot hold them (m in the hundreds).
bool VerhaeltnisseUeberZeilen(const Eingaben& in, double a, std::uint32_t km, Erwartungswerte& NP) {
  const std::uint32_t L = in.stat.n;
  // The ratio S(x, m)/S(x - 1, m) of every class needs the column m of the triangle at x - 1 and
  // x. One row S(x, .) is carried down by S(x + 1, j) = j S(x, j) + S(x, j - 1), the recurrence
  // StirlingZweiterArt sums, so each number is the one it gives; only the diagonals x - j up to
  // L - 1 are kept, as S(m + i, m) for i < L depends on no other. A row whose largest number
  // passes 2^900 is scaled down as a whole (the ratios stay as they are), where the numbers
  // themselves would leave the double range (for m = 2 from x of about 1000 on). The row holds up
  // to 20001 numbers (160 KB on the stack; no allocation).
  Zweierskala zeilenskala;
  const std::uint32_t D = L > 0 ? L - 1 : 0;
  std::array<double, kMaxKlassen> S;
  std::uint32_t zeile = 0;
  const auto weiter = [&] {
    const std::uint32_t neu = zeile + 1;
    const std::uint32_t oben = neu < km ? neu : km;
    const std::uint32_t unten = neu > D + 1 ? neu - D : 1;
    double groesster = 0;
    for (std::uint32_t j = oben; j >= unten && j > 0; --j) {
      S[j] = j * S[j] + S[j - 1];
      if (S[j] > groesster) groesster = S[j];
    }
    if (unten == 1) S[0] = 0;
    zeile = neu;
    const std::uint32_t breite = oben >= unten ? oben - unten + 1 : 0;
    if (!zeilenskala.Halten(groesster, std::span(S).subspan(unten, breite))) return 1.0;
    return Zweierskala::kFaktor;
  };
  if (L > 1) {
    for (std::uint32_t j = 0; j <= km; ++j) S[j] = 0;
    S[0] = 1;
    while (zeile < km) weiter();
  }
  // The ratios of the classes 1..L-1 first, in NP itself (the row moves on with each).
  for (std::uint32_t i = 1; i < L; ++i) {
    // The previous number as it stands in the new row's scale.
    const double vorige = S[km];
    const double skala = weiter();
    // A number of the column that the scaling has pushed out of the normal range has lost its
    // digits (or is 0): the row no longer holds the ratios.
    if (!(vorige * skala >= kKleinsteNormale)) return false;
    NP[i] = S[km] * a / (static_cast<double>(in.x[i]) * (vorige * skala));
  }
  return true;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double m = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  const std::uint32_t km = BegrenzteAnzahl(m, kMaxKlassenIndex);
  if (static_cast<double>(in.x[0]) != m) RaiseInvalid();
  // (a/(e^a - 1))^m, which is a^m / (e^a - 1)^m without the overflow of either power for large
  // m or a; e^a - 1 by expm1 for small a. From a of 700 on e^a nears the end of the range and
  // a/(e^a - 1) is below 1e-300: the first class is then no normal number (taken as 0 here).
  const double p0 = a < kExpGrenze ? std::pow(a / std::expm1(a), m) : 0.0;
  if (L == 0 || (p0 >= kKleinsteNormale && VerhaeltnisseUeberZeilen(in, a, km, NP))) {
    NP[0] = N * p0;
    Summe summe = 0;
    for (std::uint32_t i = 0; i < L; ++i) {
      if (i > 0) NP[i] *= NP[i - 1];
      summe += NP[i];
    }
    RestklasseSetzen(NP, L, N, summe);
    return;
  }
  // Where the first class is no normal number or a row spans more than the double range (m in
  // the hundreds: its numbers for the column m are pushed out by the largest), the same classes
  // are the column m of the laws of sums of k summands (see StirlingSpalte.h), formed in long
  // double (320 KB on the stack, no allocation). ln(a/(e^a - 1)) = ln a - a - ln(1 - e^-a),
  // without the overflow of e^a (1 - e^-a by expm1 for small a); for a below 0 (no
  // distribution: the classes alternate in sign and the fit rejects them, as it always did)
  // a/(e^a - 1) is positive and no larger than 1 - a: its logarithm directly.
  Unterbrechungszaehler stopp(in);
  const Summe aL = a;
  const Summe logU = aL > 0 ? std::log(aL) - aL - std::log(-std::expm1(-aL))
                            : std::log(aL / std::expm1(aL));
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
