// SPDX-License-Identifier: GPL-3.0-or-later
// Member 30: Pascal distribution (trials up to the c-th success) whose success probability is
// e^-Y with Y gamma distributed (shape a, rate b).
//   P(c) = (b/(b + c))^a;  for x > c, P(x) = sum_{j=0}^{x-c} r_j with
//   r_0 = C(x - 1, x0 - 1) (c/b + 1)^-a and r_j = r_{j-1} (1 - 1/(j + b + c))^a (-(x - c - j +
//   1))/j, an alternating form of C(x - 1, c - 1) E[p^c (1 - p)^(x - c)];  c the first value x0 of
//   the data (fixed), a, b > 0. The weight of r_0 is E[p^c] = (b/(b + c))^a, the first class's
//   own value (the sum at x = c): with the exponent b in its place the classes beyond c were all
//   off by ((b + c)/b)^(a - b) and summed above N for a > b (no distribution) and below it for
//   a < b, the shortfall dumped on the last value; a = b is unchanged. The last value takes the
//   remainder. Far beyond c the alternating sum cancels; there the same sum is taken from its
//   positive form (see PositiveFormLog).
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr std::uint32_t kRunden = 21;
inline constexpr double kToleranz = 0.001;
// A term this far (in logarithms) below the largest no longer changes a double sum: e^-40.
inline constexpr double kUnbedeutend = 40;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double c = in.eig.festparameter[0];
  const double m1 = in.stat.m1;
  const double f0 = in.f[0] / in.stat.summe;
  double a = 2;
  double b = 3;
  // Outer rounds: b from the mean c (b/(b - 1))^a by Newton steps on
  // c b^a - m1 (b - 1)^a = 0, then one Newton step for a on (b/(b + c))^a = f[0]/N.
  for (std::uint32_t aussen = 0; aussen < kRunden; ++aussen) {
    for (std::uint32_t innen = 0; innen < kRunden; ++innen) {
      const double ba = std::pow(b, a);
      const double b1a = std::pow(b - 1, a);
      const double h = c * ba - m1 * b1a;
      const double h1 = c * a * ba / b - m1 * a * std::pow(b - 1, a - 1);
      const double schritt = h / h1;
      b -= schritt;
      if (b <= 1) b = 2;
      if (b > 20) b = 3;
      if (std::fabs(schritt) < kToleranz) break;
    }
    const double q = std::pow(b, a) / std::pow(b + c, a);
    const double schritt = (q - f0) / (q * std::log(b / (b + c)));
    a -= schritt;
    if (a > 20) a = 3;
    if (std::fabs(schritt) < kToleranz) break;
  }
  E[0] = a;
  E[1] = b;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

// (x - 1)! / ((x0 - 1)! (x - x0)!) by the factorial table; the counts come from values, so
// they pass BegrenzteAnzahl (x0 = 0 has no (x0 - 1)! and fails the evaluation).
// From x = 172 on (x - 1)! leaves the double range while the coefficient itself does not: there
// it is the product C(x - 1, x0 - 1) = prod_{j=1}^{x0-1} (x - x0 + j)/j.
double Koeffizient(double x, double x0) {
  if (x - 1 > 170) {
    return Produkt(1, 1, FaktorAnzahl(x0), [&](double j) { return (x - x0 + j) / j; });
  }
  return Fakultaet(BegrenzteAnzahl(x - 1, kMaxKlassenIndex)) /
         (Fakultaet(BegrenzteAnzahl(x0 - 1, kMaxKlassenIndex)) *
          Fakultaet(BegrenzteAnzahl(x - x0, kMaxKlassenIndex)));
}

// The alternating sum telescopes: r_j = r_0 (s/(s + j))^a (-1)^j C(n, j) with s = b + c and
// n = x - c, and sum_j (-1)^j C(n, j) (s/(s + j))^a = E[(1 - e^(-T/s))^n] for T gamma
// distributed with shape a and rate 1, since (s/(s + j))^a = E[e^(-jT/s)]. The expectation is an
// integral of a positive function; over w = ln T it decays on both sides faster than any power,
// so the trapezoidal rule, a sum of positive terms, reaches full precision with a modest step.
// The step shrinks with n because the factor (1 - e^(-T/s))^n turns from 0 to 1 over a width in
// w of about 1/ln n, and with a because ln T itself spreads over about 1/sqrt(a). Summed outward
// from near the peak (between T = a and T = a + n) until a term falls below e^-40 of the
// largest. Returned is the logarithm of the sum: for n in the thousands the expectation itself
// lies far below the double range (the classes it belongs to do not), so the terms are summed
// relative to the largest of them, found in a first pass over the same points.
Summe PositiveFormLog(double a, double s, double n) {
  constexpr std::uint32_t kMaxSchritte = 1000000;
  // The terms of the first pass are kept for the second while they fit here (a few hundred per
  // side in practice); beyond, the second pass forms them again, the same values either way.
  constexpr std::uint32_t kGemerkt = 1024;
  const double h = std::min({0.05, 0.25 / std::log(n + 2), 0.25 / std::sqrt(a)});
  const double lg = std::lgamma(a);
  const auto logTerm = [&](double w) {
    const double t = std::exp(w);
    return a * w - t - lg + n * std::log(-std::expm1(-t / s));
  };
  const double w0 = std::log(a + 0.5 * n);
  // The points from w0 outward while a term still counts beside the largest so far (the terms
  // rise to one peak and fall on both sides): the same points in both passes.
  const double mitte = logTerm(w0);
  double groesster = mitte;
  double gemerkt[2][kGemerkt];
  std::uint32_t bis[2] = {0, 0};
  const double richtungen[2] = {1.0, -1.0};
  for (int r = 0; r < 2; ++r) {
    std::uint32_t k = 1;
    for (; k <= kMaxSchritte; ++k) {
      const double l = logTerm(w0 + richtungen[r] * h * static_cast<double>(k));
      if (k <= kGemerkt) gemerkt[r][k - 1] = l;
      if (l > groesster) groesster = l;
      if (l < groesster - kUnbedeutend) break;
    }
    if (k > kMaxSchritte) RaiseInvalid();
    bis[r] = k;
  }
  // e^(l - largest) in double: the difference split into its rounded value and the exact rest
  // (two-sum), the rest applied to first order (it is below 1e-13), so that each term keeps
  // double precision without a long-double exponential.
  const auto relativ = [&](double l) {
    const double d = l - groesster;
    const double zurueck = d - l;
    const double fehler = (l - (d - zurueck)) + (-groesster - zurueck);
    return static_cast<Summe>(std::exp(d) * (1 + fehler));
  };
  Summe S = relativ(mitte);
  for (int r = 0; r < 2; ++r)
    for (std::uint32_t k = 1; k < bis[r]; ++k) {
      const double l = k <= kGemerkt ? gemerkt[r][k - 1]
                                     : logTerm(w0 + richtungen[r] * h * static_cast<double>(k));
      S += relativ(l);
    }
  return groesster + std::log(S * h);
}

// The alternating sum is kept while its terms do not exceed the result by more than this factor:
// then at most three of its digits are lost.
constexpr double kAusloeschung = 1024;
// Beyond this many terms the alternating sum is not even formed.
constexpr double kGrosseSumme = 170;
// Logarithms below this belong to ordinary doubles, far from either end of the range.
constexpr Summe kGewoehnlich = 650;
// The factors (1 - 1/(j + b + c))^a of the alternating sum are the same for every class: formed
// once per evaluation for the first j.
constexpr std::uint32_t kFaktoren = 256;
// Where the terms of the alternating sum must exceed the result by more than this factor, the
// sum is not formed (it would be dropped for the positive form): far above kAusloeschung, so
// that no rounding of the sum can move it back below that bound.
constexpr double kSichereAusloeschung = 1e6;
// Below this logarithm no term of the alternating sum (nor a partial product) leaves the double
// range, so that leaving the sum out cannot hide an overflow it would have raised.
constexpr Summe kOhneUeberlauf = 700;

// Whether the alternating sum of n + 1 terms surely cancels past kAusloeschung: its terms'
// magnitudes r_0 C(n, j) (s/(s + j))^a add up to at least r_0 2^n (s/(s + n))^a, while the
// result r_0 E[(1 - e^(-T/s))^n] is at most r_0.
bool SicherAusgeloescht(double a, double s, double n, Summe logR0) {
  const double logVerhaeltnis = n * std::log(2.0) - a * std::log1p(n / s);
  return logVerhaeltnis > std::log(kSichereAusloeschung) &&
         logR0 + n * std::log(2.0) + std::log(n + 1) < kOhneUeberlauf;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const KlassenWerte& x = in.x;
  const double a = par[0];
  const double b = par[1];
  const double c = in.eig.festparameter[0];
  const double N = in.stat.summe;
  const double x0 = static_cast<double>(x[0]);
  const double ganzC = std::trunc(c);
  // The telescoped form holds for an integer c and a mixture that exists.
  const bool positivMoeglich = c == ganzC && a > 0 && b + c > 0;
  double faktoren[kFaktoren];
  std::uint32_t gefuellt = 0;
  const auto faktor = [&](std::uint32_t j) {
    const double dj = static_cast<double>(j);
    if (j > kFaktoren) return std::pow(1 - 1 / (dj + b + c), a);
    for (; gefuellt < j; ++gefuellt)
      faktoren[gefuellt] = std::pow(1 - 1 / (static_cast<double>(gefuellt + 1) + b + c), a);
    return faktoren[j - 1];
  };

  RekursionMitRest(NP, in.stat.n, N, N * std::pow(b / (b + c), a), [&](std::uint32_t i, double) {
    const double xi = static_cast<double>(x[i]);
    // r_0 = C(x - 1, x0 - 1) (c/b + 1)^-a in logarithms first: for c in the hundreds the
    // coefficient leaves the double range over the data, and the weight (the first class) may
    // lie below it, while their product and the class do not. Where both are ordinary numbers
    // r_0 is formed as written; otherwise the sums below run on r_0 = 1 and the class is
    // their value times e^(ln r_0).
    const Summe logGewicht = -a * std::log1p(static_cast<Summe>(c) / b);
    const Summe logKoeffizient = std::lgamma(static_cast<Summe>(xi)) -
                                 std::lgamma(static_cast<Summe>(x0)) -
                                 std::lgamma(static_cast<Summe>(xi - x0 + 1));
    const bool gewoehnlich = logKoeffizient < kGewoehnlich && -logGewicht < kGewoehnlich;
    const Summe logR0 = logKoeffizient + logGewicht;
    const auto klasse = [&](Summe wert) {
      if (gewoehnlich || wert == 0) return N * static_cast<double>(wert);
      return N *
             static_cast<double>(std::copysign(std::exp(logR0 + std::log(std::fabs(wert))), wert));
    };
    const double r0 = gewoehnlich ? Koeffizient(xi, x0) * std::pow(c / b + 1, -a) : 1.0;
    // r_0 times the positive form, both in logarithms.
    const auto positiv = [&] {
      const Summe logR = gewoehnlich ? std::log(static_cast<Summe>(r0)) : logR0;
      return N * static_cast<double>(std::exp(logR + PositiveFormLog(a, b + c, xi - ganzC)));
    };
    double r = r0;
    Summe s = r;
    Summe betrag = std::fabs(r);
    // The sum runs to x - Int(c); for c above x it is empty beyond r_0's range and stays 0.
    const double bis = xi - ganzC;
    if (bis < 0) {
      s = 0;
    } else if (positivMoeglich && bis > kGrosseSumme) {
      // C(n, n/2) alone exceeds 1e49 here: the alternating sum cancels beyond any use (and its
      // terms overflow from n of about a thousand), so the positive form is taken directly.
      return positiv();
    } else if (positivMoeglich && b > 0 && SicherAusgeloescht(a, b + c, bis, logR0)) {
      return positiv();
    } else {
      const std::uint32_t J = BegrenzteAnzahl(bis, kMaxKlassenIndex);
      for (std::uint32_t j = 1; j <= J; ++j) {
        const double dj = static_cast<double>(j);
        r = r * faktor(j) * (-(xi - c - dj + 1)) / dj;
        s += r;
        betrag += std::fabs(r);
      }
      if (positivMoeglich && betrag > kAusloeschung * std::fabs(s)) return positiv();
    }
    return klasse(s);
  });
}

}  // namespace

// clang-format off
const Member kM030GammaPascal{.nummer = 30, .name = "Gamma-Pascal", .parZahl = 2, .festparZahl = 1,
    .traeger = Traeger::kNichtNull, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
