// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <math.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Binomial.h"
#include "distributions/members/VonInnen.h"

// What the two-component mixtures 131 to 139 share: the component terms added into the expected
// frequencies, and the estimators, an EM iteration from starts split at the mean or taken from
// the factorial moments. Every mixture weights its first component by w and the second by 1 - w.
namespace vk::members::zweikomponenten {

// ---- Expected frequencies ----

// NP[i] += skala t(i) for the classes i < L, with t(0) = t0 as the member writes it and
// t(i) = t(i-1) verhaeltnis(i). A t0 below the normal range (e^-a of a large mean, (1 - p)^n of
// many trials) would leave every class 0 or a few digits: the walk then starts at the largest term
// below L, found from logT0() = ln t0 and the logarithms of the ratios, and goes both ways. A ratio
// that is not positive ends a finite support, as in the recurrence.
template <typename LogT0, typename Verhaeltnis>
void Addieren(Erwartungswerte& NP, std::uint32_t L, double skala, double t0, LogT0 logT0,
              Verhaeltnis verhaeltnis) {
  if (L == 0) return;
  if (t0 >= kKleinsteNormale) {
    voninnen::Addieren(NP, L, 0, skala * t0, verhaeltnis);
    return;
  }
  Summe logGroesster = 0;
  const std::uint32_t j = GroessterTerm(
      L - 1, logT0(), [&](std::uint32_t i, double v) { return v * verhaeltnis(i); }, logGroesster);
  voninnen::Addieren(NP, L, j, skala * static_cast<double>(std::exp(logGroesster)), verhaeltnis);
}

// Poisson(a) on the class indices: t(0) = e^-a, ratio a/i.
inline void PoissonAddieren(Erwartungswerte& NP, std::uint32_t L, double skala, double a) {
  Addieren(
      NP, L, skala, std::exp(-a), [&] { return static_cast<Summe>(-a); },
      [a](std::uint32_t i) { return a / i; });
}

// Binomial(n, p) on the class indices: t(0) = (1 - p)^n as the binomial members form it, ratio
// (n - i + 1) p/((1 - p) i).
inline void BinomialAddieren(Erwartungswerte& NP, std::uint32_t L, double skala, double n,
                             double p) {
  Addieren(
      NP, L, skala, std::exp(n * binomial::LogGegenP(n, p)),
      [&] { return static_cast<Summe>(n) * std::log1p(-static_cast<Summe>(p)); },
      [n, p](std::uint32_t i) { return (n - i + 1) * p / ((1 - p) * i); });
}

// Geometric (1 - a) a^i on the class indices.
inline void GeometrischAddieren(Erwartungswerte& NP, std::uint32_t L, double skala, double a) {
  Addieren(
      NP, L, skala, 1 - a, [&] { return static_cast<Summe>(std::log1p(-a)); },
      [a](std::uint32_t) { return a; });
}

// Logarithmic Lg(x; theta) = -theta^x/(x ln(1 - theta)) on the values x[i] from 1, with the
// logarithm ln(1 - theta) = logGegen given: Lg(1) = -theta/logGegen, ratio theta (x - 1)/x.
inline void LogarithmischAddieren(Erwartungswerte& NP, const KlassenWerte& x, std::uint32_t L,
                                  double skala, double theta, double logGegen) {
  const double t0 = -theta / logGegen;
  Addieren(
      NP, L, skala, t0, [&] { return static_cast<Summe>(std::log(t0)); },
      [&x, theta](std::uint32_t i) {
        const double xi = static_cast<double>(x[i]);
        return theta * (xi - 1) / xi;
      });
}

// The tail rule over what the components left in NP[0..L-1].
inline void Rest(Erwartungswerte& NP, std::uint32_t L, double N) {
  RestklasseSetzen(NP, L, N, voninnen::Unterhalb(NP, L));
}

// ---- Estimators ----

// Starts and estimates are kept this far inside the open domains (0, 1) and (0, inf).
inline constexpr double kRand = 1e-3;
// Every EM iteration stops after this many rounds whatever its tolerance.
inline constexpr int kRunden = 200;
inline constexpr double kMinusUnendlich = -std::numeric_limits<double>::infinity();

inline double InsIntervall(double p) {
  return p < kRand ? kRand : (p > 1 - kRand ? 1 - kRand : p);
}
inline double Positiv(double a) {
  return a > kRand ? a : kRand;
}

// The classes 0..L as the estimators read them: the frequencies, the variable of each class (its
// index, or its value for the members on the values from 1) and ln(v!) of that variable.
struct Daten {
  std::vector<double> f, v, logFak;
  double N = 0;
};

inline Daten Lesen(const Eingaben& in, bool nachWert) {
  const std::uint32_t L = in.stat.n;
  Daten d;
  d.f.assign(in.f.begin(), in.f.begin() + L + 1);
  d.v.resize(L + 1);
  d.logFak.resize(L + 1);
  Summe logFak = 0;
  const std::uint32_t v0 = nachWert ? static_cast<std::uint32_t>(in.x[0]) : 0;
  for (std::uint32_t k = 2; k <= v0; ++k) logFak += std::log(static_cast<double>(k));
  for (std::uint32_t i = 0; i <= L; ++i) {
    d.v[i] = v0 + i;
    if (i > 0) logFak += std::log(d.v[i]);
    d.logFak[i] = static_cast<double>(logFak);
    d.N += d.f[i];
  }
  return d;
}

// sum f v(v - 1)...(v - r + 1) / N: the factorial moments r = 1, 2, 3 of the class variable.
inline std::array<double, 3> FaktorielleMomente(const Daten& d) {
  Summe m[3] = {0, 0, 0};
  for (std::size_t i = 0; i < d.f.size(); ++i) {
    const double v = d.v[i];
    m[0] += d.f[i] * v;
    m[1] += d.f[i] * v * (v - 1);
    m[2] += d.f[i] * v * (v - 1) * (v - 2);
  }
  return {static_cast<double>(m[0] / d.N), static_cast<double>(m[1] / d.N),
          static_cast<double>(m[2] / d.N)};
}

// A start: the parameters of the two components (or their means, before they become parameters)
// and the weight of the first.
struct Start {
  double a, b, w;
};

// The data split at their mean: the mean of the classes at or below it, the mean of those above,
// and the share of the first. Data that do not split (one side empty) give means half and one and
// a half times the mean with equal weights.
inline Start AmMittelGeteilt(const Daten& d) {
  Summe s = 0;
  for (std::size_t i = 0; i < d.f.size(); ++i) s += d.f[i] * d.v[i];
  const double mittel = static_cast<double>(s / d.N);
  Summe su = 0, xu = 0, so = 0, xo = 0;
  for (std::size_t i = 0; i < d.f.size(); ++i) {
    if (d.v[i] <= mittel) {
      su += d.f[i];
      xu += d.f[i] * d.v[i];
    } else {
      so += d.f[i];
      xo += d.f[i] * d.v[i];
    }
  }
  if (!(su > 0 && so > 0)) return {mittel / 2, 1.5 * mittel, 0.5};
  return {static_cast<double>(xu / su), static_cast<double>(xo / so),
          static_cast<double>(su / (su + so))};
}

// The two-point distribution with the moments mu1, mu2, mu3 (w at t1, 1 - w at t2): t1 and t2 are
// the roots of t^2 - s t + r with s = (mu3 - mu1 mu2)/(mu2 - mu1^2), r = s mu1 - mu2. None when
// the moments allow no such pair inside (0, obergrenze).
inline std::optional<Start> ZweiPunkte(double mu1, double mu2, double mu3, double obergrenze) {
  const double nenner = mu2 - mu1 * mu1;
  if (!(nenner > 0)) return std::nullopt;
  const double s = (mu3 - mu1 * mu2) / nenner;
  const double r = s * mu1 - mu2;
  const double diskriminante = s * s - 4 * r;
  if (!(diskriminante > 0)) return std::nullopt;
  const double wurzel = std::sqrt(diskriminante);
  const double t1 = (s - wurzel) / 2;
  const double t2 = (s + wurzel) / 2;
  const double w = (t2 - mu1) / (t2 - t1);
  if (!(t1 > 0 && t2 < obergrenze && w > 0 && w < 1)) return std::nullopt;
  return Start{t1, t2, w};
}

// EM for a two-component mixture: log1(a, i) and log2(b, i) the log-probabilities of class i
// (kMinusUnendlich outside a component's support); aus1(m), aus2(m) the component's parameter
// from the mean m of the class variable under its share of the frequencies, kept inside its
// domain. Stops when no parameter moves by toleranz, after kRunden rounds, or when a component
// loses every class.
template <typename Log1, typename Log2, typename Aus1, typename Aus2>
Start EM(const Daten& d, Start s, double toleranz, Log1 log1, Log2 log2, Aus1 aus1, Aus2 aus2) {
  for (int runde = 0; runde < kRunden; ++runde) {
    Summe s1 = 0, x1 = 0, s2 = 0, x2 = 0;
    const double logGewicht = std::log(s.w) - std::log1p(-s.w);
    for (std::uint32_t i = 0; i < d.f.size(); ++i) {
      if (!(d.f[i] > 0)) continue;
      const double l1 = log1(s.a, i);
      const double l2 = log2(s.b, i);
      if (l1 == kMinusUnendlich && l2 == kMinusUnendlich) continue;
      // The share of the first component, 1/(1 + e^t), with the exponential taken of -|t|.
      double r = 0;
      if (l2 == kMinusUnendlich) {
        r = 1;
      } else if (l1 != kMinusUnendlich) {
        const double t = l2 - l1 - logGewicht;
        const double e = std::exp(-std::fabs(t));
        r = t > 0 ? e / (1 + e) : 1 / (1 + e);
      }
      s1 += d.f[i] * r;
      x1 += d.f[i] * r * d.v[i];
      s2 += d.f[i] * (1 - r);
      x2 += d.f[i] * (1 - r) * d.v[i];
    }
    if (!(s1 > 0 && s2 > 0)) break;
    const Start neu{aus1(static_cast<double>(x1 / s1)), aus2(static_cast<double>(x2 / s2)),
                    InsIntervall(static_cast<double>(s1 / (s1 + s2)))};
    const bool fertig = std::fabs(neu.a - s.a) < toleranz && std::fabs(neu.b - s.b) < toleranz &&
                        std::fabs(neu.w - s.w) < toleranz;
    s = neu;
    if (fertig) break;
  }
  return s;
}

// The log-probabilities of the components at the class variable v = d.v[i].
inline double LogPoisson(const Daten& d, double a, std::uint32_t i) {
  return -a + d.v[i] * std::log(a) - d.logFak[i];
}
inline double LogBinomial(const Daten& d, double n, double p, std::uint32_t i) {
  const double v = d.v[i];
  if (v > std::floor(n)) return kMinusUnendlich;
  int vorzeichen = 0;
  return ::lgamma_r(n + 1, &vorzeichen) - d.logFak[i] - ::lgamma_r(n - v + 1, &vorzeichen) +
         v * std::log(p) + (n - v) * std::log1p(-p);
}
inline double LogGeometrisch(double a, double i) {
  return std::log1p(-a) + i * std::log(a);
}
inline double LogLogarithmisch(const Daten& d, double theta, std::uint32_t i) {
  const double v = d.v[i];
  return v * std::log(theta) - std::log(v) - std::log(-std::log1p(-theta));
}
inline double LogPositivPoisson(const Daten& d, double a, std::uint32_t i) {
  return d.v[i] * std::log(a) - d.logFak[i] - a - std::log(-std::expm1(-a));
}

// Parameters from a mean m. Where the mean is an increasing function of the parameter without a
// closed inverse (logarithmic, zero-truncated Poisson), bisection: 200 halvings reach the double
// resolution of any interval here.
template <typename Mittel>
double Halbieren(double m, double unten, double oben, Mittel mittel) {
  for (int k = 0; k < 200 && unten < oben; ++k) {
    const double mitte = unten + (oben - unten) / 2;
    if (mitte == unten || mitte == oben) break;
    (mittel(mitte) < m ? unten : oben) = mitte;
  }
  return unten + (oben - unten) / 2;
}
// Logarithmic on 1, 2, ...: mean -theta/((1 - theta) ln(1 - theta)), 1 at theta = 0.
inline double LogarithmischAusMittel(double m) {
  if (!(m > 1)) return kRand;
  const double theta =
      Halbieren(m, kRand, 1 - kRand, [](double t) { return -t / ((1 - t) * std::log1p(-t)); });
  return InsIntervall(theta);
}
// Zero-truncated Poisson: mean a/(1 - e^-a), 1 at a = 0.
inline double PositivPoissonAusMittel(double m) {
  if (!(m > 1)) return kRand;
  return Positiv(Halbieren(m, kRand, m, [](double a) { return a / -std::expm1(-a); }));
}

// The estimate table of a grid of alternatives: alternative k starts from slots k - 1,
// 50 + k - 1, 100 + k - 1 (and 150 + k - 1 for a fourth parameter).
inline void Eintragen(Schaetzwerttabelle& E, std::uint32_t k, const Start& s) {
  E[k - 1] = s.a;
  E[50 + k - 1] = s.b;
  E[100 + k - 1] = s.w;
}

}  // namespace vk::members::zweikomponenten
