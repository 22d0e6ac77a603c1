// SPDX-License-Identifier: GPL-3.0-or-later
// Member 177: generalized negative binomial (Lagrangian negative binomial) distribution.
//   P(x) = k/(k + beta x) C(k + beta x, x) p^x (1 - p)^(k + beta x - x),  x = 0, 1, 2, ...;
//   k > 0, 0 < p < 1, beta >= 1 (beta = 1: negative binomial; for beta p >= 1 the classes hold
//   less than 1, the last class takes the rest). Each class from its closed form,
//   k p^x t_x (1 - p)^(k + x beta - x) with t_x = prod_{c=1}^{x-1} (x beta + k - c)/(c + 1), as
//   written while t_x and the two powers are ordinary numbers; where one of them leaves the
//   double range (many classes: t_x grows like a binomial coefficient while the powers vanish)
//   the class is the exponential of the sum of their logarithms. Where every numerator x beta + k -
//   c is at least 1, t_x is formed as the product of the numerators over x! in long double (the
//   same value within a few roundings, without a division per factor).
#include <array>
#include <cmath>
#include <cstdint>

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
  const double N = in.stat.summe;
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[1] = 0.1;
  E[0] = std::log(g[0] / N) / std::log(std::fabs(1 - E[1]));
  E[2] = (M / E[1] - E[0]) / M;
  E[52] = (1 - std::sqrt(0.9 * M / m2)) / 0.1;
  E[50] = (1 - 0.1 * E[2]) * M / 0.1;
  E[100] = E[50];
  E[101] = E[1];
  E[102] = E[52];
  for (int runde = 0; runde < 200; ++runde) {
    E[150] = E[100];
    E[151] = E[101];
    E[152] = E[102];
    E[100] = std::log(g[0] / N) / std::log(std::fabs(1 - E[151]));
    if (E[100] > 20) E[100] = 10;
    E[102] = std::log(g[1] / (g[0] * E[150] * E[151])) / std::log(std::fabs(1 - E[151])) + 1;
    if (E[102] > 20) E[102] = 5;
    const double t = M * M * M / (m2 * E[100] * E[100]);
    E[101] = (std::sqrt(t * (t + 4)) - t) / 2;
    if (E[101] >= 1) E[101] = 0.9;
    if (std::fabs(E[101] - E[151]) < 0.0001) break;
  }
}

constexpr Alternative kAlternativen[] = {{{0}, {1}, {2}}, {{50}, {1}, {52}}, {{100}, {101}, {102}}};

// Partial products of t_x beyond this (or below its inverse) take the logarithms' route.
inline constexpr long double kLangGrenze = 0x1p12000L;
// e^kLogSicher: a number below it has a logarithm below kLogSicher.
const long double kGrenze = std::exp(static_cast<long double>(lagrange::kLogSicher));
// e^kLogSicher, a little above it: below it the double product is an ordinary number.
const long double kSicher = std::exp(static_cast<long double>(lagrange::kLogSicher) + 1);

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double beta = par[2];
  const double N = in.stat.summe;
  const double q = std::fabs(1 - p);
  const double lnP = std::log(p);
  const double lnQ = std::log(q);
  Unterbrechungszaehler stopp(in);
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    const double di = static_cast<double>(i);
    if (i == 0) return N * std::pow(q, k);
    if (i == 1) return N * k * p * std::pow(q, k + beta - 1);
    // O(i) per class: on many classes a cancel must not wait for the whole evaluation.
    if (stopp.Zaehlen(2 * i)) return 0.0;
    const double exponent = k + di * beta - di;
    // Where no numerator x beta + k - c is below 1 and their product stays in the long-double
    // range, t_x is that product over x! in long double: a multiplication per factor where the
    // written product divided as well (within x double roundings of it), in two chains that do
    // not wait for each other. The factors fall with c, so the largest partial product is the
    // one up to the last factor of at least 1, c <= (x beta + k - 1)/2. Its range and that of
    // t_x are judged against e^kLogSicher directly, without their logarithms.
    const double A = di * beta + k;
    if (i < lagrange::kFakultaeten && A - di + 1 >= 1 && (di - 1) * std::log2(A) < 16000) {
      const auto zaehler = [A](std::uint32_t von, std::uint32_t bis) {
        return lagrange::Zaehlerprodukt(
            von, bis, [A](std::uint32_t c) { return A - static_cast<double>(c); });
      };
      const double mitte = std::floor((A - 1) / 2);
      const std::uint32_t m = mitte < di - 1 ? static_cast<std::uint32_t>(mitte) : i - 1;
      const long double bisM = zaehler(1, m + 1);
      const long double groesstes = bisM / lagrange::Fakultaeten()[m + 1];
      const long double t = bisM * zaehler(m + 1, i) / lagrange::Fakultaeten()[i];
      if (groesstes < kGrenze && t < kGrenze && t > 1 / kGrenze &&
          lagrange::Gewoehnlich(di * lnP) && lagrange::Gewoehnlich(exponent * lnQ)) {
        return N * k * std::pow(p, di) * static_cast<double>(t) * std::pow(q, exponent);
      }
      return N * k * static_cast<double>(std::exp(std::log(t) + di * lnP + exponent * lnQ));
    }
    // log t_x, and the largest partial product on the way, which the written product passes. The
    // partial products in long double, whose range holds them far beyond double's, and two
    // logarithms per class where a logarithm per factor made most of this member's time; the
    // sum of the factors' logarithms where a factor is not positive (as written: its logarithm
    // fails the evaluation) or a product leaves even the long-double range.
    Summe logT = 0, groesstes = 0;
    long double produkt = 1, groesstesProdukt = 1;
    // The written product in double alongside, the same factors in the same order; it is read
    // only where the largest partial product stayed below e^kLogSicher, and formed only while it
    // does, so it never overflows.
    double t = 1;
    bool imBereich = true;
    for (std::uint32_t c = 1; c < i; ++c) {
      const double dc = static_cast<double>(c);
      const double faktor = (di * beta + k - dc) / (dc + 1);
      if (!(faktor > 0)) {
        imBereich = false;
        break;
      }
      produkt *= faktor;
      if (produkt > groesstesProdukt) groesstesProdukt = produkt;
      if (groesstesProdukt < kSicher) t *= faktor;
      if (!(produkt < kLangGrenze && produkt > 1 / kLangGrenze)) {
        imBereich = false;
        break;
      }
    }
    if (imBereich) {
      logT = std::log(produkt);
      groesstes = std::log(groesstesProdukt);
    } else {
      for (std::uint32_t c = 1; c < i; ++c) {
        const double dc = static_cast<double>(c);
        logT += std::log((di * beta + k - dc) / (dc + 1));
        if (logT > groesstes) groesstes = logT;
      }
    }
    if (groesstes < lagrange::kLogSicher && lagrange::Gewoehnlich(logT) &&
        lagrange::Gewoehnlich(di * lnP) && lagrange::Gewoehnlich(exponent * lnQ)) {
      if (!imBereich) {
        t = 1;
        for (std::uint32_t c = 1; c < i; ++c) {
          const double dc = static_cast<double>(c);
          t *= (di * beta + k - dc) / (dc + 1);
        }
      }
      return N * k * std::pow(p, di) * t * std::pow(q, exponent);
    }
    return N * k * static_cast<double>(std::exp(logT + di * lnP + exponent * lnQ));
  });
}

}  // namespace

// clang-format off
const Member kM177GeneralizedNegativeBinomial{.nummer = 177,
    .name = "Generalized negative binomial", .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
