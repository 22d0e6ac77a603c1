// SPDX-License-Identifier: GPL-3.0-or-later
// Member 155: Poisson below m, thinned from m on.
//   A Poisson(a) count X is seen as it is below m; from m on only m plus a binomial(X - m, b)
//   share of the excess is seen:
//     P(i) = e^-a a^i / i!                                              for i < m,
//     P(m) = e^-a (e^((1 - b) a) - sum_{t < m} ((1 - b) a)^t / t!) / (1 - b)^m,
//     P(i) = sum_{x >= i} e^-a a^x / x! C(x - m, i - m) b^(i - m) (1 - b)^(x - i)  for i > m;
//   m a natural number (F0), a > 0, 0 < b < 1. The last class takes the remainder.
// With z = (1 - b) a the classes from m on are P(i) = e^-a a^i b^(i-m)/i! 1F1(i - m + 1; i + 1; z),
// and the contiguous relation of 1F1 in both parameters gives, for i >= m,
//   P(i + 1) = a b ((z - i) P(i) + a b P(i - 1)) / ((i - m + 1) z),
// with a b P(m - 1) read as m Po(m; a) in the first step. Where z exceeds L every term of it is
// positive: the classes above m then follow from P(m) in one pass, the same numbers as the
// series of each class, whose terms peak near t = z (a million terms per class at a = 10^6).
// Below that the series as written, which ends within about L + 100 terms there.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr std::uint32_t kBisektion = 100;
inline constexpr double kErsatzB = 0.5;
// How far the series of a class i > m runs beyond the written bound L + 100 while a term still
// changes its sum (a mean a far above L leaves most of the series beyond that bound).
inline constexpr std::uint32_t kMaxWeitereGlieder = 1000000;

// Po(x; a) = e^-a a^x / x!, from its logarithm: for a start where e^-a or x! leaves the double
// range while the term itself does not.
double PoissonLog(double a, double x) {
  return std::exp(-a + x * std::log(a) - std::lgamma(x + 1));
}

// Po(0..m-1; a) summed: the share of the classes below m.
double UnterM(double a, std::uint32_t km) {
  double t = std::exp(-a);
  Summe s = 0;
  for (std::uint32_t x = 0; x < km; ++x) {
    if (x > 0) t *= a / x;
    s += t;
  }
  return static_cast<double>(s);
}

// P(Y = m) = sum_{x >= m} Po(x; a) (1 - b)^(x - m), from the term x = m up while a term still
// changes the sum. Where Po(m; a) lies below the normal range (a far above m) the terms run scaled
// from 1 and the logarithm of the first is added at the end.
double KlasseM(double a, double b, std::uint32_t km) {
  double t = std::exp(-a);
  bool skaliert = false;
  if (t >= kKleinsteNormale && km <= 170) {
    for (std::uint32_t x = 1; x <= km; ++x) t *= a / x;
  }
  Summe logStart = 0;
  if (!(t >= kKleinsteNormale) && a > 0) {
    skaliert = true;
    logStart = -a + km * std::log(a) - std::lgamma(km + 1.0);
    t = 1;
  }
  Zweierskala skala(logStart);
  const Summe s =
      SkalierteReihe(t, km + 1, km + kMaxWeitereGlieder - 1, km + 1, skaliert, skala,
                     [&](std::uint32_t x, double glied) { return glied * (a * (1 - b) / x); });
  if (skaliert) return static_cast<double>(std::exp(skala.LogSkala() + std::log(s)));
  return static_cast<double>(s);
}

// b from the mean: E[Y] = a - (1 - b) E[(X - m)^+], E[(X - m)^+] = a - m + sum_{x < m} (m - x)
// Po(x; a).
double BAusMittel(double a, double M, std::uint32_t km) {
  double t = std::exp(-a);
  Summe s = 0;
  for (std::uint32_t x = 0; x < km; ++x) {
    if (x > 0) t *= a / x;
    s += (static_cast<double>(km) - x) * t;
  }
  const double ueber = a - km + static_cast<double>(s);
  double b = ueber > 0 ? 1 - (a - M) / ueber : kErsatzB;
  InEinheitsintervallKorrigieren(b);
  return b;
}

// A decreasing function h solved for h(z) = ziel on (unten, oben) by bisection.
template <typename H>
double Bisektion(H h, double ziel, double unten, double oben) {
  for (std::uint32_t r = 0; r < kBisektion; ++r) {
    const double mitte = (unten + oben) / 2;
    if (h(mitte) > ziel) {
      unten = mitte;
    } else {
      oben = mitte;
    }
  }
  return (unten + oben) / 2;
}

// a: E[0] from the zero class, E[1] from the share of the classes below m (Po(0..m-1; a) falls
// with a), E[2] the ratio regression over the classes below m, E[3] their mean. b: the slot
// 50 + s from the mean for a = E[s]; E[54] for a = E[1] from the frequency of the class m, which
// falls with b.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double m = in.eig.festparameter[0];
  const std::uint32_t km = FaktorAnzahl(m);
  const double N = in.stat.summe;
  const double M = in.stat.m1x0;
  const std::uint32_t L = in.stat.n;
  const auto g = ErsetzteAnfangsklassen(in.f, L);
  E[0] = -std::log(g[0] / N);
  if (!(E[0] > 0)) E[0] = M > 0 ? M : kErsatzB;
  Summe unter = 0;
  for (std::uint32_t i = 0; i < km; ++i) unter += KlasseOderNull(in.f, L, i);
  const double anteil = static_cast<double>(unter) / N;
  const double obenA = 2 * (static_cast<double>(L) + m + 10);
  E[1] = (anteil > 0 && anteil < 1 && km > 0)
             ? Bisektion([&](double a) { return UnterM(a, km); }, anteil, 0, obenA)
             : E[0];
  Summe z = 0, q = 0;
  for (std::uint32_t i = 0; i + 1 < km && i < L; ++i) {
    const double u = i + 1.0;
    z += in.f[i] * in.f[i + 1] / u;
    q += in.f[i] * in.f[i] / (u * u);
  }
  E[2] = q > 0 && z > 0 ? static_cast<double>(z / q) : E[0];
  E[3] = (E[0] + E[1] + E[2]) / 3;
  for (std::uint32_t s = 0; s < 4; ++s) E[50 + s] = BAusMittel(E[s], M, km);
  const double fm = KlasseOderNull(in.f, L, km) / N;
  const double a = E[1];
  const bool loesbar = fm > 0 && fm < KlasseM(a, 0, km) && fm > KlasseM(a, 1, km);
  E[54] = loesbar ? Bisektion([&](double b) { return KlasseM(a, b, km); }, fm, 0, 1) : E[51];
  InEinheitsintervallKorrigieren(E[54]);
}

// The classes from m on by the recurrence in i, for z = (1 - b) a > L: P(i) = e^lnS q, q carried
// on a scale whose logarithm lnS starts at ln P(m) and grows when q does. Class m from
// P(m) = e^(-a b) (1 - b)^-m Q(m; z), Q the upper Poisson tail sum_(t>=m) Po(t; z), its
// complement summed from logarithms (for z above m it is below one half).
class Rekursion {
 public:
  Rekursion(double a, double b, std::uint32_t km) : ab_(a * b), z_((1 - b) * a), km_(km) {
    const Summe lnZ = std::log(z_);
    Summe unten = 0;
    for (std::uint32_t t = 0; t < km; ++t)
      unten += std::exp(-z_ + t * lnZ - std::lgamma(static_cast<Summe>(t) + 1));
    const Summe lnQ = std::log1p(-unten);
    skala_ = Zweierskala(-ab_ - km * std::log1p(-static_cast<Summe>(b)) + lnQ);
    // a b P(m - 1) / P(m) = m Po(m; a)/P(m) = m Po(m; z)/Q(m; z).
    vorher_ = km == 0 ? 0
                      : std::exp(std::log(static_cast<Summe>(km)) - z_ + km * lnZ -
                                 std::lgamma(static_cast<Summe>(km) + 1) - lnQ) /
                            ab_;
  }

  // log P(i) for i = m, m + 1, ..., called in order.
  Summe LogWeiter(std::uint32_t i) {
    if (i > km_) {
      const Summe di = i - 1;
      const Summe neu = ab_ * ((z_ - di) * q_ + ab_ * vorher_) / ((di - km_ + 1) * z_);
      vorher_ = q_;
      q_ = neu;
      skala_.Halten(q_, q_, vorher_);
    }
    return skala_.LogSkala() + std::log(q_);
  }

 private:
  Summe ab_, z_;
  std::uint32_t km_;
  // The scale of q_, its logarithm started at ln P(m).
  Zweierskala skala_;
  Summe q_ = 1;
  Summe vorher_ = 0;
};

constexpr Alternative kAlternativen[] = {
    {{0}, {50}}, {{1}, {51}}, {{2}, {52}}, {{3}, {53}}, {{1}, {54}}};

// The largest exponent whose power is still a normal double with room to spare.
inline constexpr double kGrosserExponent = 700;

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double m = in.eig.festparameter[0];
  const std::uint32_t km = FaktorAnzahl(m);
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const std::uint32_t K = UnendlicherTraeger(L);
  const double ea = std::exp(-a);
  // e^-a below the normal range (a mean far above 0): each Poisson class below m from its
  // logarithm instead of the recurrence from class 0.
  const bool poissonLog = !(ea >= kKleinsteNormale);
  Unterbrechungszaehler stopp(in);
  const bool rekursion = (1 - b) * a > L && b > 0 && b < 1 && km < L && N > 0;
  Rekursion vonM(rekursion ? a : 1, rekursion ? b : 0.5, rekursion ? km : 0);
  const Summe lnN = rekursion ? std::log(static_cast<Summe>(N)) : 0;
  KlassenMitRest(NP, L, N, [&](std::uint32_t i, double vorher) {
    const double di = i;
    if (i < km) {
      if (poissonLog) return N * PoissonLog(a, di);
      return i == 0 ? N * ea : a * vorher / di;
    }
    if (rekursion) {
      if (stopp.Zaehlen(1)) return 0.0;
      return static_cast<double>(std::exp(lnN + vonM.LogWeiter(i)));
    }
    if (stopp.Zaehlen(K)) return 0.0;
    if (i == km) {
      // e^((1 - b) a) less its first m terms, over (1 - b)^m. Where the terms taken away are
      // most of e^((1 - b) a) the difference cancels; where e^((1 - b) a) or (1 - b)^m leave the
      // double range it fails: then the same number comes from the series of the terms left,
      // a^x (1 - b)^(x - m) / x! from x = m up.
      const double c = (1 - b) * a;
      const double nenner = std::pow(1 - b, m);
      if (c < kGrosserExponent && nenner >= kKleinsteNormale && !poissonLog) {
        const double ec = std::exp(c);
        Summe teil = 0;
        double t = 1;
        for (std::uint32_t s = 0; s < km; ++s) {
          if (s > 0) t *= c / s;
          teil += t;
        }
        const double rest = ec - static_cast<double>(teil);
        if (rest >= 0.5 * ec) return N * ea * rest / nenner;
      }
      return N * KlasseM(a, b, km);
    }
    // r_(i - m) = e^-a a^i b^(i - m) / i! (from logarithms where e^-a, a^i or i! leave the double
    // range), then r_t = r_(t-1) t a (1 - b) / ((t + m)(m + t - i)) up to t = L + 100. The series
    // goes on beyond while a term still changes its sum: with a far above L most of it lies
    // there. A start below the normal range runs scaled from 1, its logarithm added at the end.
    const double im = di - m;
    const bool geschrieben =
        !poissonLog && i <= 170 && di * std::log(a) < kGrosserExponent && b > 0;
    double r = geschrieben ? ea * GanzePotenz(i, a) * std::pow(b, im) / Fakultaet(i) : 0.0;
    Summe logStart = 0;
    const bool skaliert = !(r >= kKleinsteNormale) && b > 0 && a > 0;
    if (skaliert) {
      logStart = -a + di * std::log(a) + im * std::log(b) - std::lgamma(di + 1);
      r = 1;
    }
    Zweierskala skala;
    const Summe s = SkalierteReihe(r, i - km + 1, K + kMaxWeitereGlieder, K, skaliert, skala,
                                   [&](std::uint32_t t, double glied) {
                                     const double dt = t;
                                     return glied * dt * a * (1 - b) / ((dt + m) * (m + dt - di));
                                   });
    if (skaliert) {
      return N * static_cast<double>(std::exp(logStart + skala.LogSkala() + std::log(s)));
    }
    return N * static_cast<double>(s);
  });
}

}  // namespace

// clang-format off
const Member kM155PoissonThinnedFromM{.nummer = 155, .name = "Poisson thinned from m on",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
