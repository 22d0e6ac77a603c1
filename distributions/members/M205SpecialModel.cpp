// SPDX-License-Identifier: GPL-3.0-or-later
// Member 205: the general five-parameter model of the special fitting.
//   P(x) = P(x-1) g(x),  g(x) = (1 + a0) + a1/(x + b1) + a2/(x + b2),  x = 1, 2, ...;
//   P(0) = 1/F with F the sum of the first 31 unnormalised probabilities, written as a
//   3F2(u1, u2, 1; 1 + b1, 1 + b2; 1 + a0) series (u1, u2 one minus the roots of the numerator
//   of g), or as a 2F2 series when 1 + a0 vanishes. Parameters a0, a1, a2, b1, b2, any real;
//   they are found by name, so that the special fitting may hold a0, a1, a2 fixed.
#include <array>
#include <cfenv>
#include <cmath>
#include <string>

#include "distributions/Helpers.h"
#include "distributions/Spezialmodell.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// A coefficient or a shifted x of magnitude below this (strictly) drops its term from g.
inline constexpr double kVernachlaessigbar = 1e-5;
// A difference below this share of its larger term is taken as cancelled to zero.
inline constexpr double kAusgeloescht = 1e-12;
// What a parameter reads as when its name is in neither list.
inline constexpr double kUnbekannt = 123456789.0;

inline constexpr std::array<const char*, 5> kNamen{"a0", "a1", "a2", "b1", "b2"};
// The estimate slot of each name: slot 0 of rows 0..4.
inline constexpr std::array<std::size_t, 5> kSlots{0, 50, 100, kSpezialSlotB1, kSpezialSlotB2};

// The position of `name` among the first `anzahl` entries of `namen` (first match), or -1.
template <std::size_t K>
int Position(const std::array<std::string, K>& namen, std::uint32_t anzahl, const char* name) {
  const std::uint32_t ende = std::min<std::uint32_t>(anzahl, K);
  for (std::uint32_t i = 0; i < ende; ++i) {
    if (namen[i] == name) return static_cast<int>(i);
  }
  return -1;
}

int FestPosition(const TParameterEigenschaften& eig, const char* name) {
  return Position(eig.festparNamen, eig.festparZahl, name);
}

// Fixed value first, then the vector element of that name, else kUnbekannt.
double Wert(const char* name, const Parametervektor& p, const TParameterEigenschaften& eig) {
  if (const int i = FestPosition(eig, name); i >= 0) return eig.festparameter[i];
  if (const int i = Position(eig.parNamen, eig.parZahl, name); i >= 0) return p[i];
  return kUnbekannt;
}

// The sum of the unnormalised probabilities 1, g(1), g(1)g(2), ... up to 30 ratios.
double Normierung(double a0, double a1, double a2, double b1, double b2) {
  const double f = 1 + a0;
  if (std::fabs(f) < kVernachlaessigbar) {
    // g(x) = (a1 + a2)(x + c)/((x + b1)(x + b2)); (1)_i cancels the series' i!.
    const double c = (a1 * b2 + a2 * b1) / (a1 + a2);
    return Hypergeometrisch2F2(a1 + a2, 1 + b1, 1 + b2, 1 + c, 1);
  }
  const double db = b1 - b2;
  const double delta = f * f * db * db + 2 * f * (a1 - a2) * db + (a1 + a2) * (a1 + a2);
  // |delta|: for complex roots the series is evaluated with real stand-ins rather than failing.
  const double s = std::sqrt(std::fabs(delta));
  const double mitte = 1 + (b1 + b2) / 2;
  const double u1 = mitte + (a1 + a2 - s) / (2 * f);
  const double u2 = mitte + (a1 + a2 + s) / (2 * f);
  return Hypergeometrisch3F2(f, 1 + b1, 1 + b2, u1, u2, 1);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TParameterEigenschaften& eig = in.eig;
  // Solves g(k) = q1, g(k+1) = q2, g(k+2) = q3 for a1, a2, a0, in that order, so that a fixed
  // a1 (or a2) feeds the coefficients computed after it.
  const double k = static_cast<double>(static_cast<std::uint32_t>(in.stat.ModusGruppenIndex));
  const double q1 = in.stat.quotient[0];
  const double q2 = in.stat.quotient[1];
  const double q3 = in.stat.quotient[2];
  const double b1 = E[kSpezialSlotB1];
  const double b2 = E[kSpezialSlotB2];

  if (const int i = FestPosition(eig, "a1"); i >= 0) {
    E[50] = eig.festparameter[i];
  } else {
    // The two terms of the denominator are equal in exact arithmetic when b1 = b2, and then
    // their rounded difference is a few units of the last place, of either sign: a1 would come
    // out near 1e13 instead of failing like the exact zero it stands for.
    const double erster = 2 / ((k + b1) * (k + b1 + 2));
    const double zweiter = 2 * (k + b2 + 1) / ((k + b1) * (k + b1 + 1) * (k + b2 + 2));
    double nenner = erster - zweiter;
    if (std::fabs(nenner) < kAusgeloescht * std::fmax(std::fabs(erster), std::fabs(zweiter))) {
      std::feraiseexcept(FE_DIVBYZERO);
      nenner = 0;
    }
    E[50] = (q1 - q3 - 2 * (k + b2 + 1) * (q1 - q2) / (k + b2 + 2)) / nenner;
  }
  if (const int i = FestPosition(eig, "a2"); i >= 0) {
    E[100] = eig.festparameter[i];
  } else {
    E[100] = (q1 - q2 - E[50] / ((k + b1) * (k + b1 + 1))) * (k + b2) * (k + b2 + 1);
  }
  if (const int i = FestPosition(eig, "a0"); i >= 0) {
    E[0] = eig.festparameter[i];
  } else {
    E[0] = q1 - 1 - E[50] / (k + b1) - E[100] / (k + b2);
  }
}

// Every alternative is the same vector: the free parameters' estimates in catalog order. This
// matches parNamen because the fitting mode removes fixed names without reordering the rest.
void AlternativeWaehlen(const Eingaben& in, std::uint32_t, const Schaetzwerttabelle& E,
                        Parametervektor& p) {
  const TParameterEigenschaften& eig = in.eig;
  std::size_t position = 0;
  for (std::size_t j = 0; j < kNamen.size(); ++j) {
    if (FestPosition(eig, kNamen[j]) < 0) p[position++] = E[kSlots[j]];
  }
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const TParameterEigenschaften& eig = in.eig;
  const double a0 = Wert("a0", par, eig);
  const double a1 = Wert("a1", par, eig);
  const double a2 = Wert("a2", par, eig);
  const double b1 = Wert("b1", par, eig);
  const double b2 = Wert("b2", par, eig);
  const double N = in.stat.summe;
  const bool mitA1 = !(std::fabs(a1) < kVernachlaessigbar);
  const bool mitA2 = !(std::fabs(a2) < kVernachlaessigbar);

  RekursionMitRest(NP, in.stat.n, N, N / Normierung(a0, a1, a2, b1, b2),
                   [&](double x, double vorher) {
                     double r = 1 + a0;
                     if (mitA1 && !(std::fabs(x + b1) < kVernachlaessigbar)) r += a1 / (x + b1);
                     if (mitA2 && !(std::fabs(x + b2) < kVernachlaessigbar)) r += a2 / (x + b2);
                     return r * vorher;
                   });
}

}  // namespace

// clang-format off
// Its classes come from a ratio that may turn negative anywhere, not from a closed form whose
// rounding lies near 0: a class below 0 by more than the rounding of N fails.
const Member kM205SpecialModel{.nummer = 205, .name = "General five-parameter ratio model",
    .parZahl = 5, .negativProN = 1e-12, .schaetzwerte = SchaetzwerteBerechnen, .alternative = AlternativeWaehlen,
    .alternativenZahl = 1, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
