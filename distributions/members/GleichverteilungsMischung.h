// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Mixtures of the uniform distributions on 0..v-1 over a mixing value v = 1, 2, ... (members 75
// to 80): P(x) = sum_{v>x} w(v)/v / D, with w the mixing probabilities (or terms proportional
// to them) and D their normaliser. The classes are the running sum of r_v = w(v)/v taken from
// above: each class adds the terms of the higher ones, so no class is a difference of nearly
// equal sums, however small it is next to class 0.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/FpFault.h"
#include "distributions/Member.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Numerik.h"
#include "distributions/helpers/Schemata.h"

namespace vk::gleichverteilungsmischung {

// How far a series beyond the last class is summed before it counts as divergent.
inline constexpr std::uint32_t kMaxWeitereTerme = 10'000'000;

// The terms r_v of a mixture: r_1 and the ratio r_v / r_{v-1} for v >= 2.
template <typename Verhaeltnis>
struct Terme {
  double r1;
  Verhaeltnis verhaeltnis;
};
// Spelled out for compilers without deduction for aggregates.
template <typename Verhaeltnis>
Terme(double, Verhaeltnis) -> Terme<Verhaeltnis>;

// r_1..r_L into NP[0..L-1] (r_{i+1} in NP[i]); returns r_L, from which the terms beyond L go on
// (r_1 for L = 0, where nothing is stored and no class needs the terms).
template <typename Verhaeltnis>
double TermeBisL(Erwartungswerte& NP, std::uint32_t L, const Terme<Verhaeltnis>& t) {
  double r = t.r1;
  for (std::uint32_t v = 1; v <= L; ++v) {
    if (v > 1) r = t.verhaeltnis(v, r);
    NP[v - 1] = r;
  }
  return r;
}

// The sum of r_v over L < v <= bis, continuing from r_L (L >= 1). Once the terms fall and no
// longer change the sum, the rest of a long finite series (a binomial n far above the data) is
// left out: it cannot change the sum either.
template <typename Verhaeltnis>
Summe EndlicherRest(std::uint32_t L, std::uint32_t bis, double rL, const Terme<Verhaeltnis>& t) {
  Summe s = 0;
  double r = rL;
  for (std::uint32_t v = L + 1; v <= bis; ++v) {
    const double vorher = r;
    r = t.verhaeltnis(v, r);
    const Summe neu = s + r;
    if (r < vorher && neu == s) break;
    s = neu;
  }
  return s;
}

// The sum of r_v over v > L (L >= 1) of an infinite series: at least up to `mindestens`, then on
// while a term still changes the sum; a series that does not settle within kMaxWeitereTerme
// further terms raises the invalid fault.
template <typename Verhaeltnis>
Summe UnendlicherRest(std::uint32_t L, std::uint32_t mindestens, double rL,
                      const Terme<Verhaeltnis>& t) {
  Summe s = 0;
  double r = rL;
  const std::uint32_t ende = mindestens + kMaxWeitereTerme;
  for (std::uint32_t v = L + 1; v <= ende; ++v) {
    r = t.verhaeltnis(v, r);
    const Summe neu = s + r;
    if (v > mindestens && neu == s) return s;
    s = neu;
  }
  RaiseInvalid();
  return s;
}

// The bound of a mixing value without end, for TermeMitRest.
inline constexpr std::uint32_t kOhneEnde = std::numeric_limits<std::uint32_t>::max();

// r_1..r_L into NP[0..L-1] (r_{i+1} in NP[i]); returns the sum of the terms beyond L, up to
// `bis`, or for bis = kOhneEnde at least up to `mindestens` and on while a term still counts.
// The ratio must fall along v (the mixing law is unimodal), as the binomial one does (the
// Poisson and negative binomial ones take TermeMitRestNormiert). While r_1 is a normal double
// the terms run from it (the same values as TermeBisL with EndlicherRest or UnendlicherRest).
// Below that, a mixing law whose mass lies far from v = 1, every term from r_1 on would carry the
// few digits of a subnormal number or be 0: the terms start from the largest one, exp of its
// logarithm found from logR1() (ln r_1 on a route that does not underflow) through the ratios,
// and go down and up from there by the ratio.
template <typename Verhaeltnis, typename LogR1>
Summe TermeMitRest(Erwartungswerte& NP, std::uint32_t L, std::uint32_t bis,
                   std::uint32_t mindestens, const Terme<Verhaeltnis>& t, LogR1 logR1) {
  const bool endlich = bis != kOhneEnde;
  if (t.r1 >= kKleinsteNormale || bis < 1) {
    const double rL = TermeBisL(NP, L, t);
    if (L == 0) return 0;
    if (!endlich) return UnendlicherRest(L, mindestens, rL, t);
    return bis > L ? EndlicherRest(L, bis, rL, t) : Summe{0};
  }
  const std::uint32_t ende = endlich ? bis : mindestens + kMaxWeitereTerme;
  // The largest term: the last v before the first ratio r_v / r_(v-1) that is not above 1.
  // The ratios, all above 1 here, are multiplied in extended precision and only the product's
  // logarithm taken when it grows large: a mode millions of terms out costs no logarithm per term.
  std::uint32_t j = 1;
  Summe logR = logR1();
  Summe produkt = 1;
  for (std::uint32_t v = 2; v <= ende; ++v) {
    const double g = t.verhaeltnis(v, 1.0);
    if (!(g > 1)) break;
    produkt *= g;
    if (produkt > 1e4000L) {
      logR += std::log(produkt);
      produkt = 1;
    }
    j = v;
  }
  logR += std::log(produkt);
  if (!endlich && j == ende) RaiseInvalid();
  Summe rest = 0;
  double r = static_cast<double>(std::exp(logR));
  for (std::uint32_t v = j;; --v) {
    if (v <= L) {
      NP[v - 1] = r;
    } else {
      const Summe neu = rest + r;
      // Below the mode the terms only fall: once one no longer counts, none further down does,
      // and the terms of the classes are left at 0 (each class also holds the whole rest).
      if (neu == rest && v < j) {
        for (std::uint32_t w = std::min(v - 1, L); w >= 1; --w) NP[w - 1] = 0;
        break;
      }
      rest = neu;
    }
    if (v == 1) break;
    r /= t.verhaeltnis(v, 1.0);
  }
  r = static_cast<double>(std::exp(logR));
  for (std::uint32_t v = j + 1; v <= ende; ++v) {
    r = t.verhaeltnis(v, r);
    if (v <= L) {
      NP[v - 1] = r;
      continue;
    }
    const Summe neu = rest + r;
    if (neu == rest && (endlich || v > mindestens)) break;
    rest = neu;
  }
  // A finite law ending below L leaves its last classes empty.
  for (std::uint32_t v = std::max(j, ende) + 1; v <= L; ++v) NP[v - 1] = 0;
  return rest;
}

// The largest term of a law whose ratios r_v / r_(v-1) rise and fall at most once along v >= 2:
// the last v before the first ratio that is not above 1 (1 where r_2 is not above r_1), at most
// `ende`. The v with a ratio above 1 form one run from v = 2, so doubling finds a v past its end
// and halving pins the end down: a number of ratios that grows with the logarithm of the mode, not
// with the mode.
template <typename Verhaeltnis>
std::uint32_t Gipfel(const Terme<Verhaeltnis>& t, std::uint32_t ende) {
  const auto steigt = [&](std::uint32_t v) { return t.verhaeltnis(v, 1.0) > 1; };
  if (ende < 2 || !steigt(2)) return 1;
  std::uint32_t unten = 2;  // the ratio at unten is above 1, the one at oben is not
  std::uint32_t oben = 0;
  while (oben == 0) {
    const std::uint64_t weiter = 2 * static_cast<std::uint64_t>(unten);
    if (weiter > ende) {
      if (steigt(ende)) return ende;
      oben = ende;
    } else if (steigt(static_cast<std::uint32_t>(weiter))) {
      unten = static_cast<std::uint32_t>(weiter);
    } else {
      oben = static_cast<std::uint32_t>(weiter);
    }
  }
  while (oben - unten > 1) {
    const std::uint32_t mitte = unten + (oben - unten) / 2;
    (steigt(mitte) ? unten : oben) = mitte;
  }
  return unten;
}

// As TermeMitRest for a mixing law over all v >= 1 whose terms meet sum_v v r_v = D (the mixing
// probabilities v r_v add up to the normaliser), as the zero-truncated Poisson and negative
// binomial ones do. Where r_1 is subnormal the terms are walked from the largest one, taken as 1,
// down and up while a term still counts in the rest or in the sum of v r_v, and then scaled by D
// over that sum. The cost grows with the width of the mixing law, not with the distance of its
// mode from v = 1, and no logarithm of a term is needed, whose rounding would grow with that
// distance (a product of as many ratios).
template <typename Verhaeltnis>
Summe TermeMitRestNormiert(Erwartungswerte& NP, std::uint32_t L, std::uint32_t mindestens,
                           const Terme<Verhaeltnis>& t, double D) {
  if (t.r1 >= kKleinsteNormale) {
    const double rL = TermeBisL(NP, L, t);
    return L == 0 ? Summe{0} : UnendlicherRest(L, mindestens, rL, t);
  }
  const std::uint32_t ende = mindestens + kMaxWeitereTerme;
  const std::uint32_t j = Gipfel(t, ende);
  if (j == ende) RaiseInvalid();
  Summe rest = 0;
  Summe gewicht = 0;  // the sum of v r_v, in units of the largest term
  double r = 1;
  for (std::uint32_t v = j;; --v) {
    const Summe gewichtNeu = gewicht + static_cast<Summe>(v) * r;
    if (v <= L) {
      NP[v - 1] = r;
    } else {
      const Summe neu = rest + r;
      // Below the mode the terms and v r_v only fall: once one counts in neither sum, none
      // further down does, and the terms of the classes are left at 0.
      if (neu == rest && gewichtNeu == gewicht && v < j) {
        for (std::uint32_t w = std::min(v - 1, L); w >= 1; --w) NP[w - 1] = 0;
        break;
      }
      rest = neu;
    }
    gewicht = gewichtNeu;
    if (v == 1) break;
    r /= t.verhaeltnis(v, 1.0);
  }
  r = 1;
  for (std::uint32_t v = j + 1; v <= ende; ++v) {
    r = t.verhaeltnis(v, r);
    const Summe gewichtNeu = gewicht + static_cast<Summe>(v) * r;
    if (v > L) {
      const Summe neu = rest + r;
      if (neu == rest && gewichtNeu == gewicht && v > mindestens) break;
      rest = neu;
    } else {
      NP[v - 1] = r;
    }
    gewicht = gewichtNeu;
  }
  const Summe skala = D / gewicht;
  for (std::uint32_t i = 0; i < L; ++i) NP[i] = static_cast<double>(NP[i] * skala);
  return rest * skala;
}

// The classes from the terms in NP[0..L-1] and the sum `rest` of the terms beyond L:
// NP[i] = N (r_{i+1} + r_{i+2} + ...) / D, accumulated from class L - 1 down; the last class by
// the tail rule with absolute value.
inline void KlassenVonOben(Erwartungswerte& NP, std::uint32_t L, double N, double D, Summe rest) {
  Summe T = rest;
  Summe summe = 0;
  for (std::uint32_t i = L; i-- > 0;) {
    T += NP[i];
    NP[i] = N * static_cast<double>(T) / D;
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe);
}

// Members 75 to 77: the mixing value binomial with n trials, v = 1..Int(n), the terms
// r_v = Bin(v; n, p)/v taken with |1 - p| from r_1 = n p |1 - p|^(n-1) by their ratio, and
// D = 1 - (1 - p)^n, as -expm1(n ln(1 - p)) so that a small p keeps its digits.
inline void BinomialKlassen(Erwartungswerte& NP, std::uint32_t L, double N, double n, double p) {
  const std::uint32_t anzahl = FaktorAnzahl(n);
  const double q = std::fabs(1 - p);
  const double D = -std::expm1(n * std::log1p(-p));
  // The mixing values end at Int(n), also for an n that is not whole.
  const Terme t{anzahl >= 1 ? n * p * std::pow(q, n - 1) : 0.0, [&](double v, double r) {
                  return v > anzahl ? 0.0 : r * (n - v + 1) * p * (v - 1) / (q * v * v);
                }};
  const auto logR1 = [&] {
    const Summe ln = static_cast<Summe>(n);
    return std::log(ln) + std::log(static_cast<Summe>(p)) +
           (ln - 1) * std::log(static_cast<Summe>(q));
  };
  KlassenVonOben(NP, L, N, D, TermeMitRest(NP, L, anzahl, 0, t, logR1));
}

}  // namespace vk::gleichverteilungsmischung
