// SPDX-License-Identifier: GPL-3.0-or-later
// Member 154: binomial below m, continued by a second success probability after the m-th success.
//   Of n trials with success probability p, fewer than m successes are counted as they are:
//   P(i) = B(i; n, p) for i < m. Once the m-th success has come at trial g, the n - g trials left
//   succeed with probability b p: for i >= m
//     P(i) = sum over g = m..m + n - i of C(g - 1, m - 1) p^m (1 - p)^(g - m)
//            C(n - g, i - m) (b p)^(i - m) (1 - b p)^(n - g - i + m).
//   m, n natural numbers (F0, F1), 0 < p < 1, 0 < b < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr double kToleranz = 0.0001;
inline constexpr std::uint32_t kRunden = 51;
// Factorials by the table up to here; beyond, the binomial coefficient C(n - m, i - m) they form
// comes from logarithms (the quotient is an ordinary number long after the factorials overflow).
// C(n - m, i - m) passes the double range for n - m beyond about 1030: from this logarithm on the
// terms are summed scaled.
inline constexpr double kGrosserLog = 700;
inline constexpr double kGroessteFakultaet = 170;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m = in.eig.festparameter[0];
  const double n = in.eig.festparameter[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  Summe S1 = 0, S2 = 0;
  const std::uint32_t km = FaktorAnzahl(m);
  for (std::uint32_t c = 0; c < km; ++c) {
    const double dc = c;
    const double fc = KlasseOderNull(in.f, L, c);
    S1 += (m - dc) * fc / N;
    S2 += (m + 1 - dc) * (m - dc) * fc / N;
  }
  E[50] = m - static_cast<double>(S1);
  E[51] = (m * (m + 1) - static_cast<double>(S2)) / 2;
  E[0] = 1 - std::pow(in.f[0] / N, 1 / n);
  const double m2 = in.stat.m2;
  double neu = 0.5;
  for (std::uint32_t runde = 1;; ++runde) {
    const double d = neu;
    E[1] = d;
    neu = std::fabs((m2 - std::fabs(2 * d * (1 - d) * m * n * E[0]) +
                     (1 - d) * (2 * d * n * E[0] - 2 * m - 1) * E[50] +
                     E[51] * E[51] * (1 - d) * (1 - d) + 2 * E[51] * (1 - d * d)) /
                    (n * E[0] * (1 - d * E[0])));
    InEinheitsintervallKorrigieren(neu);
    if (std::fabs(neu - E[1]) < kToleranz || runde == kRunden) break;
  }
  E[101] = neu;
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

// C(n - m, i - m) = (Int(n - m))! / ((i - m)! (n - i)!), by the factorials while they are in
// range.
double Koeffizient(double nm, double im, double ni) {
  if (nm <= kGroessteFakultaet) {
    return Fakultaet(FaktorAnzahl(nm)) /
           (Fakultaet(FaktorAnzahl(im)) * Fakultaet(FaktorAnzahl(ni)));
  }
  // Beyond the double range 0 stands for "take the logarithms" (the caller's scaled route).
  const double lg = std::lgamma(nm + 1) - std::lgamma(im + 1) - std::lgamma(ni + 1);
  return lg < kGrosserLog ? std::exp(lg) : 0.0;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double p = par[0];
  const double b = par[1];
  const double m = in.eig.festparameter[0];
  const double n = in.eig.festparameter[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const double km = std::trunc(m);
  const double kn = std::trunc(n);
  const std::uint32_t ersteSumme = FaktorAnzahl(m);
  const double bp = b * p;
  const bool vonLog =
      N > 0 && p > 0 && p < 1 && !(N * std::pow(std::fabs(1 - p), n) >= kKleinsteNormale);
  // In extended precision: ln C(n, i) is of the order of 10^4 for n in the thousands, where a
  // double keeps it only to some 1e-12 and the classes the recurrence carries on from it alike.
  const Summe lnN = vonLog ? std::log(static_cast<Summe>(N)) : 0;
  const Summe lnP = vonLog ? std::log(static_cast<Summe>(p)) : 0;
  const Summe lnQ = vonLog ? std::log1p(-static_cast<Summe>(p)) : 0;
  Unterbrechungszaehler stopp(in);
  KlassenMitRest(NP, L, N, [&](std::uint32_t i, double vorher) {
    const double di = i;
    if (i < ersteSumme) {
      // Where N |1 - p|^n lies below the normal range (n large) the recurrence from it would
      // keep every class below m at 0: those classes come from their logarithms until one is an
      // ordinary number, the recurrence goes on from there.
      if (vonLog && di <= n && !(vorher >= kKleinsteNormale)) {
        const Summe ln = static_cast<Summe>(n);
        const Summe li = di;
        return static_cast<double>(std::exp(lnN + std::lgamma(ln + 1) - std::lgamma(li + 1) -
                                            std::lgamma(ln - li + 1) + li * lnP + (ln - li) * lnQ));
      }
      if (i == 0) return N * std::pow(std::fabs(1 - p), n);
      return vorher * (n - di + 1) * p / (di * (1 - p));
    }
    // The m-th success at trial g = m, m + 1, ..., m + n - i (room for the i - m later ones).
    const double oben = km + kn - di;
    if (oben < km) return 0.0;
    const double f1 = std::pow(p, m);
    const double f2 = i == ersteSumme ? 1.0 : Koeffizient(std::trunc(n - m), di - m, n - di);
    const double f3 = i == ersteSumme ? 1.0 : std::pow(bp, di - m);
    const double f4 = std::pow(std::fabs(1 - bp), i == ersteSumme ? n - m : n - di);
    const double r0 = f1 * f2 * f3 * f4;
    // Where the first term (the m-th success at trial m) or one of its factors lies outside the
    // normal range while the later terms need not (p small, n large: the m-th success comes
    // late), the terms run scaled from 1 and the logarithm of the first is added at the end.
    const bool klein =
        !(r0 >= kKleinsteNormale && f1 >= kKleinsteNormale && f2 >= kKleinsteNormale &&
          f3 >= kKleinsteNormale && f4 >= kKleinsteNormale);
    const bool skaliert = klein && p > 0 && bp > 0 && std::fabs(1 - bp) > 0;
    const std::uint32_t glieder = BegrenzteAnzahl(oben - km, kGrenzeFaktoren);
    if (stopp.Zaehlen(glieder)) return 0.0;
    Zweierskala skala;
    const Summe s = SkalierteReihe(
        skaliert ? 1.0 : r0, 1, glieder, glieder, skaliert, skala, [&](std::uint32_t h, double r) {
          const double g = km + h;
          return r *
                 ((m - di + n + 1 - g) * (g - 1) * (1 - p) / ((g - m) * (n - g + 1) * (1 - p * b)));
        });
    if (skaliert) {
      const double logr0 =
          m * std::log(p) +
          (std::lgamma(std::trunc(n - m) + 1) - std::lgamma(di - m + 1) - std::lgamma(n - di + 1)) +
          (di - m) * std::log(bp) + (n - di) * std::log(std::fabs(1 - bp));
      return N * static_cast<double>(std::exp(logr0 + skala.LogSkala() + std::log(s)));
    }
    return N * static_cast<double>(s);
  });
}

}  // namespace

// clang-format off
const Member kM154BinomialLatentCount{.nummer = 154, .name = "Binomial continued after the m-th success",
    .parZahl = 2, .festparZahl = 2, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
