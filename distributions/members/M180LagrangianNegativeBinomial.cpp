// SPDX-License-Identifier: GPL-3.0-or-later
// Member 180: Lagrangian negative binomial distribution with equal shape and exponent.
//   P(i) = C((i + 1) a, i)/(i + 1) p^i (1 - p)^((i + 1) a - i),  i = 0, 1, 2, ...;  a >= 1,
//   0 < p < 1 (the generalized negative binomial of member 177 with k = beta = a; for a p >= 1
//   the classes hold less than 1 and the last class takes the rest). Each class as written while
//   the binomial coefficient and the powers are ordinary numbers, otherwise as the exponential
//   of the sum of their logarithms. Where every numerator (i + 1) a - j + 1 is at least 1, the
//   coefficient is formed as the numerators' product over i! in long double (the same value
//   within a few roundings, without a division per factor).
#include <cmath>
#include <cstdint>
#include <limits>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Lagrange.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[1] = 1 - m2 / (M * (M + 1) * (M + 1));
  E[50] = std::log(g[0] / in.stat.summe) / std::log(std::fabs(1 - E[1]));
  E[0] = (M * M * (M + 1) / (M * (M + 1) * (M + 1) - m2) + E[50]) / 2;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

// Partial products beyond this (or below its inverse) take the logarithms' route.
inline constexpr long double kLangGrenze = 0x1p12000L;
// e^kLogSicher: a number below it has a logarithm below kLogSicher.
const long double kGrenze = std::exp(static_cast<long double>(lagrange::kLogSicher));
// e^kLogSicher, a little above it: below it the double product is an ordinary number.
const long double kSicher = std::exp(static_cast<long double>(lagrange::kLogSicher) + 1);

// On many classes (a word-frequency spectrum has 20001) the products cost L^2/2 steps. The
// generating function is G(s) = (q + p t)^a with t(s) the smallest root of t = s (q + p t)^a,
// q = 1 - p, as far as the root exists; for every such s > 1, P(X >= x) <= G(s) s^-x, so every
// class from x > (ln G(s) - ln 1e-300) / ln s on is below 1e-300 N. Those classes are 0 (a change
// of less than 1e-300 N each, and of as little in the last class, which takes the remainder) and
// their products are not formed; every class below is computed as written. h(t) =
// s (q + p t)^a - t is convex: Newton from t = 0 climbs to the smallest root from below, and a
// point just above it where h < 0 (checked with room for rounding) bounds the root, and so G(s),
// from above. Schnitt gives the least such x over s - 1 = 2^-30 .. 2^6, only for a >= 1,
// 0 < p < 1, a p < 1 (no defective distribution) and beyond 500 classes (below that the bound
// costs more than it saves); otherwise no cut (the largest count).
std::uint32_t Schnitt(double a, double p, std::uint32_t L) {
  constexpr std::uint32_t kKeiner = std::numeric_limits<std::uint32_t>::max();
  constexpr double kMinusLog1em300 = 690.77552789821368;  // -ln 1e-300
  if (L <= 500 || !(a >= 1 && p > 0 && p < 1 && a * p < 1)) return kKeiner;
  const double q = 1 - p;
  double bestes = 4e9;
  for (int j = -30; j <= 6; ++j) {
    const double d = std::ldexp(1.0, j);
    const double s = 1 + d;
    double t = 0;
    bool wurzel = false;
    for (int runde = 0; runde < 60; ++runde) {
      const double u = q + p * t;
      const double h = s * std::pow(u, a) - t;
      const double steigung = s * a * p * std::pow(u, a - 1) - 1;
      if (!(steigung < 0)) break;  // past the minimum of h: no root
      const double neu = t - h / steigung;
      if (!(neu - t > 1e-15 * neu)) {
        t = neu;
        wurzel = true;
        break;
      }
      t = neu;
    }
    if (!wurzel) continue;
    const double oben = t * (1 + 1e-9);
    if (!(s * std::pow(q + p * oben, a) * (1 + 1e-12) <= oben)) continue;
    const double x = (a * std::log(q + p * oben) + kMinusLog1em300) / std::log1p(d);
    if (x < bestes) bestes = x;
  }
  // One class beyond the bound's own: its rounding is far below one class.
  return bestes < 4e9 ? static_cast<std::uint32_t>(std::ceil(bestes)) + 1 : kKeiner;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double p = par[1];
  const double N = in.stat.summe;
  const double absP = std::fabs(p);
  const double q = std::fabs(1 - p);
  // The logarithms of |p| and |1 - p|, formed once; as before only where a class beyond the
  // first is formed (a p of 0 or 1 raises its fault there).
  const std::uint32_t L = in.stat.n;
  const double lnAbsP = L > 1 ? std::log(absP) : 0;
  const double lnQ = L > 1 ? std::log(q) : 0;
  Unterbrechungszaehler stopp(in);
  const std::uint32_t schnitt = Schnitt(a, p, L);
  KlassenMitRest(NP, L, N, [&](std::uint32_t i, double) {
    if (i == 0) return N * std::pow(q, a);
    if (i >= schnitt) return 0.0;
    // O(i) per class: on many classes a cancel must not wait for the whole evaluation.
    if (stopp.Zaehlen(2 * i)) return 0.0;
    const double di = static_cast<double>(i);
    const double y = (di + 1) * a;
    const double exponent = y - di;
    const double logP = di * lnAbsP;
    const double logQ = exponent * lnQ;
    // Where no numerator y - j + 1 is below 1 and their product stays in the long-double range,
    // the binomial coefficient is that product over x! in long double: a multiplication per
    // factor where the written product divided as well (within x double roundings of it), in
    // two chains that do not wait for each other. The factors fall with j, so the largest
    // partial product is the one up to the last factor of at least 1, j <= (y + 1)/2.
    if (i < lagrange::kFakultaeten && y - di + 1 >= 1 && di * std::log2(y) < 16000) {
      const auto zaehler = [y](std::uint32_t von, std::uint32_t bis) {
        return lagrange::Zaehlerprodukt(
            von, bis, [y](std::uint32_t j) { return y - static_cast<double>(j) + 1; });
      };
      const double mitte = std::floor((y + 1) / 2);
      const std::uint32_t m = mitte < di ? static_cast<std::uint32_t>(mitte) : i;
      const long double bisM = zaehler(1, m + 1);
      const long double groesstes = bisM / lagrange::Fakultaeten()[m];
      const long double binom = bisM * zaehler(m + 1, i + 1) / lagrange::Fakultaeten()[i];
      if (groesstes < kGrenze && lagrange::Gewoehnlich(logP) && lagrange::Gewoehnlich(logQ)) {
        return N * static_cast<double>(binom) / (di + 1) * std::pow(absP, di) *
               std::pow(q, exponent);
      }
      return N * static_cast<double>(std::exp(std::log(binom) - std::log(di + 1) + logP + logQ));
    }
    // The factors (y - j + 1)/j of the binomial coefficient multiplied in long double, whose
    // range holds the partial products far beyond double's: two logarithms per class where one
    // per factor made most of this member's time. The written product in double alongside, the
    // same factors in the same order, formed only while the largest partial product stays below
    // e^kLogSicher (so it never overflows). A factor that is not positive, or a partial product
    // that leaves even the long-double range, takes the sum of the factors' logarithms (as
    // written: a logarithm of a factor below 0 fails the evaluation).
    long double produkt = 1, groesstesProdukt = 1;
    double binom = 1;
    bool imBereich = true;
    for (std::uint32_t j = 1; j <= i; ++j) {
      const double dj = static_cast<double>(j);
      const double faktor = (y - dj + 1) / dj;
      if (!(faktor > 0)) {
        imBereich = false;
        break;
      }
      produkt *= faktor;
      if (produkt > groesstesProdukt) groesstesProdukt = produkt;
      if (groesstesProdukt < kSicher) binom *= faktor;
      if (!(produkt < kLangGrenze && produkt > 1 / kLangGrenze)) {
        imBereich = false;
        break;
      }
    }
    // The range of the largest partial product judged against e^kLogSicher directly; the
    // logarithms only where the class takes them.
    if (imBereich) {
      if (groesstesProdukt < kGrenze && lagrange::Gewoehnlich(logP) &&
          lagrange::Gewoehnlich(logQ)) {
        return N * binom / (di + 1) * std::pow(absP, di) * std::pow(q, exponent);
      }
      return N * static_cast<double>(std::exp(std::log(produkt) - std::log(di + 1) + logP + logQ));
    }
    const lagrange::LogBinom logBinom = lagrange::LogBinomialkoeffizient(i, y);
    if (logBinom.groesstes < lagrange::kLogSicher && lagrange::Gewoehnlich(logP) &&
        lagrange::Gewoehnlich(logQ)) {
      return N * Binomialkoeffizient(static_cast<std::int32_t>(i), y) / (di + 1) *
             std::pow(absP, di) * std::pow(q, exponent);
    }
    return N * static_cast<double>(std::exp(logBinom.wert - std::log(di + 1) + logP + logQ));
  });
}

}  // namespace

// clang-format off
const Member kM180LagrangianNegativeBinomial{.nummer = 180,
    .name = "Lagrangian negative binomial (equal shape)", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
