// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "core/FpFault.h"
#include "distributions/Member.h"
#include "distributions/helpers/Numerik.h"
#include "distributions/helpers/Zweierskala.h"

namespace vk {

// The shapes of an expected-frequency routine. Unless a member is truncated at L (Restregel::
// kKeine), the last class L stands for "L or more" and receives the remainder of N (the tail
// rule), so the expected frequencies sum to N whatever mass the distribution puts beyond L. None
// of these allocates; the step functions are small lambdas that the compiler inlines. A step
// receives the class index as an unsigned integer: a lambda taking `double i` converts it
// exactly, one taking `std::uint32_t i` can read x[i] with it.

// The tail rule, given the sum of NP[0..L-1]: |N - summe| or N - summe. (kKeine writes
// nothing: the last class was computed like the others.)
inline void RestklasseSetzen(Erwartungswerte& NP, std::uint32_t L, double N, Summe summe,
                             Restregel regel = Restregel::kBetrag) {
  const Summe rest = static_cast<Summe>(N) - summe;
  if (regel == Restregel::kBetrag) {
    NP[L] = static_cast<double>(std::fabs(rest));
  } else if (regel == Restregel::kOhneBetrag) {
    NP[L] = static_cast<double>(rest);
  }
}

// Recurrence below the last class: NP[0] = np0, NP[i] = schritt(i, NP[i-1]) for 0 < i < L.
// Returns the sum of NP[0..L-1]. The classes are written in order, so a step may also read
// NP[0..i-1] (a convolution, a second-order recurrence) or carry state of its own along i.
template <typename Schritt>
Summe RekursionBisRest(Erwartungswerte& NP, std::uint32_t L, double np0, Schritt schritt) {
  NP[0] = np0;
  Summe summe = 0;
  if (L > 0) summe = NP[0];
  for (std::uint32_t i = 1; i < L; ++i) {
    NP[i] = schritt(i, NP[i - 1]);
    summe += NP[i];
  }
  return summe;
}

// A recurrence started at an inner class j < L instead of class 0, for a distribution whose first
// term underflows to 0 (a mean far above 0) although its classes near the mode are
// representable: NP[j] = npj, NP[i] = hoch(i, NP[i-1]) for j < i < L, NP[i-1] = runter(i, NP[i])
// for j >= i > 0. Returns the sum of NP[0..L-1], taken from class 0 up as RekursionBisRest does.
template <typename Hoch, typename Runter>
Summe RekursionVonInnen(Erwartungswerte& NP, std::uint32_t L, std::uint32_t j, double npj,
                        Hoch hoch, Runter runter) {
  NP[j] = npj;
  for (std::uint32_t i = j + 1; i < L; ++i) NP[i] = hoch(i, NP[i - 1]);
  for (std::uint32_t i = j; i > 0; --i) NP[i - 1] = runter(i, NP[i]);
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) summe += NP[i];
  return summe;
}

// The smallest normal double. A first term below it has lost digits (or is 0) before a
// recurrence starts, although the classes near the mode may be ordinary numbers.
inline constexpr double kKleinsteNormale = std::numeric_limits<double>::min();

// The index of the largest of the terms 0..bis (bis <= L) of a ratio recurrence, found through
// the running sum of the logarithms of the ratio. The step must be a ratio (linear in the
// previous term). A ratio that is not positive ends the search: the terms from there on are 0
// (the end of a finite support) and follow from the recurrence as they always did.
template <typename Schritt>
std::uint32_t GroessterTerm(std::uint32_t bis, Summe logT0, Schritt schritt, Summe& logGroesster) {
  Summe logT = logT0;
  logGroesster = logT0;
  std::uint32_t j = 0;
  for (std::uint32_t i = 1; i <= bis; ++i) {
    const double g = schritt(i, 1.0);
    if (!(g > 0)) break;
    logT += std::log(static_cast<Summe>(g));
    if (logT > logGroesster) {
      logGroesster = logT;
      j = i;
    }
  }
  return j;
}

// A recurrence whose first term N P(0) lies below the normal range, given as log P(0): the
// largest class below L is found in logarithms and starts RekursionVonInnen, the classes above it
// by the step and those below by its inverse. Returns the sum of NP[0..L-1].
template <typename Schritt>
Summe RekursionVomGroesstenTerm(Erwartungswerte& NP, std::uint32_t L, double N, Summe logP0,
                                Schritt schritt) {
  if (L == 0) return 0;
  Summe logGroesster = 0;
  const std::uint32_t j = GroessterTerm(L - 1, logP0, schritt, logGroesster);
  const double npj = N * static_cast<double>(std::exp(logGroesster));
  return RekursionVonInnen(NP, L, j, npj, schritt, [&](std::uint32_t i, double danach) {
    return danach / schritt(i, 1.0);
  });
}

// Recurrence with tail rule from the first term p0 = P(0) as written: from class 0 as
// RekursionMitRest while p0 is a normal double (the same values as there), otherwise from the
// largest class, with log P(0) = logP0() computed on a route that does not underflow.
template <typename LogP0, typename Schritt>
void RekursionMitRestGeschuetzt(Erwartungswerte& NP, std::uint32_t L, double N, double p0,
                                LogP0 logP0, Schritt schritt,
                                Restregel regel = Restregel::kBetrag) {
  if (p0 >= kKleinsteNormale) {
    RestklasseSetzen(NP, L, N, RekursionBisRest(NP, L, N * p0, schritt), regel);
  } else {
    RestklasseSetzen(NP, L, N, RekursionVomGroesstenTerm(NP, L, N, logP0(), schritt), regel);
  }
}

// Recurrence with tail rule: the classes below L by RekursionBisRest, then the last class, for
// example RekursionMitRest(NP, L, N, N * std::pow(p, k), [&](double i, double vorher) {
// return vorher * (i + k - 1) * (1 - p) / i; }).
template <typename Schritt>
void RekursionMitRest(Erwartungswerte& NP, std::uint32_t L, double N, double np0, Schritt schritt,
                      Restregel regel = Restregel::kBetrag) {
  RestklasseSetzen(NP, L, N, RekursionBisRest(NP, L, np0, schritt), regel);
}

// Classes one by one below the last class, then the tail rule: NP[i] = klasse(i, NP[i-1]) for
// 0 <= i < L, class 0 receiving 0 as its predecessor. For members whose classes switch between
// closed forms and a ratio by the class index; unlike RekursionMitRest nothing is evaluated for
// L = 0, where the last class is the only one.
template <typename Klasse>
void KlassenMitRest(Erwartungswerte& NP, std::uint32_t L, double N, Klasse klasse,
                    Restregel regel = Restregel::kBetrag) {
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    NP[i] = klasse(i, i > 0 ? NP[i - 1] : 0.0);
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe, regel);
}

// The second pass of normalised terms: NP[0..L-1] (and NP[L] when truncated at L) hold terms
// whose sum over the whole support is S; each becomes N NP[i] / S, and the last class follows
// the rule.
inline void TermeNormieren(Erwartungswerte& NP, std::uint32_t L, double N, Summe S,
                           Restregel regel = Restregel::kBetrag) {
  const double s = static_cast<double>(S);
  if (regel == Restregel::kKeine) {
    for (std::uint32_t i = 0; i <= L; ++i) NP[i] = N * NP[i] / s;
    return;
  }
  Summe summe = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    NP[i] = N * NP[i] / s;
    summe += NP[i];
  }
  RestklasseSetzen(NP, L, N, summe, regel);
}

// Normalised terms: r[0] = r0, r[i] = schritt(i, r[i-1]) for i = 1..K, S = the sum of r[0..K];
// NP[i] = N r[i] / S below L and the last class by the rule (truncated at L: K = L and every
// class normalised). K = L + 100 stands in for an infinite support. The terms wait in NP itself
// between the two passes, the ones from L on only enter the sum: no working array is needed,
// whatever K is.
template <typename Schritt>
void NormierteTerme(Erwartungswerte& NP, std::uint32_t L, std::uint32_t K, double N, double r0,
                    Schritt schritt, Restregel regel = Restregel::kBetrag) {
  const std::uint32_t gespeichert = regel == Restregel::kKeine ? L + 1 : L;
  double r = r0;
  Summe S = r;
  if (gespeichert > 0) NP[0] = r;
  for (std::uint32_t i = 1; i <= K; ++i) {
    r = schritt(i, r);
    S += r;
    if (i < gespeichert) NP[i] = r;
  }
  TermeNormieren(NP, L, N, S, regel);
}

// Terms above this leave too little room for their sum: normalised terms that reach it are
// taken relative to the largest one instead.
inline constexpr double kGrosseTerme = 1e300;

// Normalised terms over 0..L (K = L) as NormierteTerme with r[0] = 1, the same values as there
// while the terms and their sum stay below kGrosseTerme. Beyond that (a mode far above class 0,
// terms like e^a or p^-k) each term is taken relative to the largest, found in logarithms, so
// that none overflows; the classes far from the mode come out as the vanishing fractions they
// are.
template <typename Schritt>
void NormierteTermeBisL(Erwartungswerte& NP, std::uint32_t L, double N, Schritt schritt,
                        Restregel regel = Restregel::kBetrag) {
  double r = 1;
  Summe S = r;
  bool gross = false;
  for (std::uint32_t i = 1; i <= L && !gross; ++i) {
    r = schritt(i, r);
    S += r;
    gross = S > kGrosseTerme;
  }
  if (!gross) {
    NormierteTerme(NP, L, L, N, 1, schritt, regel);
    return;
  }
  Summe logGroesster = 0;
  const std::uint32_t j = GroessterTerm(L, 0, schritt, logGroesster);
  NP[j] = 1;
  for (std::uint32_t i = j + 1; i <= L; ++i) NP[i] = schritt(i, NP[i - 1]);
  for (std::uint32_t i = j; i > 0; --i) NP[i - 1] = NP[i] / schritt(i, 1.0);
  Summe summe = 0;
  for (std::uint32_t i = 0; i <= L; ++i) summe += NP[i];
  TermeNormieren(NP, L, N, summe, regel);
}

// The common bound of an infinite support: 100 terms beyond the last class.
inline std::uint32_t UnendlicherTraeger(std::uint32_t L) {
  return L + 100;
}

// How far NormierteTermeBisKonvergenz sums beyond L + 100 before it gives up.
inline constexpr std::uint32_t kMaxWeitereTerme = 1000000;

// Terms r[0] = r0, r[i] = schritt(i, r[i-1]) for i = 1..bis, which may rise far past the double
// range: the step must be a ratio (linear in the previous term), so that the terms, their sum and
// the ones stored so far can all be carried on `skala`, each checked as it is formed. r[i] is
// stored in NP[i] for i < gespeichert. Returns the sum of all of them and leaves the last term in
// `letzter`, both on the scale of the stored ones.
template <typename Schritt>
Summe SkalierteTerme(Erwartungswerte& NP, std::uint32_t bis, std::uint32_t gespeichert, double r0,
                     Schritt schritt, Zweierskala& skala, double& letzter) {
  double r = r0;
  Summe S = r;
  if (gespeichert > 0) NP[0] = r;
  for (std::uint32_t i = 1; i <= bis; ++i) {
    r = schritt(i, r);
    skala.Halten(r, std::span(NP).first(i < gespeichert ? i : gespeichert), r, S);
    S += r;
    if (i < gespeichert) NP[i] = r;
  }
  letzter = r;
  return S;
}

// All classes 0..L normalised over 0..L, none of them a remainder: r[0] = 1, r[i] =
// schritt(i, r[i-1]) carried as SkalierteTerme carries them.
template <typename Schritt>
void SkalierteNormierteKlassen(Erwartungswerte& NP, std::uint32_t L, double N, Schritt schritt) {
  Zweierskala skala;
  double letzter = 0;
  const Summe S = SkalierteTerme(NP, L, L + 1, 1, schritt, skala, letzter);
  TermeNormieren(NP, L, N, S, Restregel::kKeine);
}

// The sum of a series of non-negative terms from its first term t: t_j = glied(j, t_(j-1)) for
// j = von..bis, and from j beyond `ab` only while a term still changes the sum (a NaN ends it
// too). A series whose first term lies outside the normal range runs `skaliert` from a first
// term the caller chose (1, its logarithm kept aside): its terms and sum are then carried on
// `skala`, the term checked after it has joined the sum.
template <typename Glied>
Summe SkalierteReihe(double t, std::uint32_t von, std::uint32_t bis, std::uint32_t ab,
                     bool skaliert, Zweierskala& skala, Glied glied) {
  Summe s = t;
  for (std::uint32_t j = von; j <= bis; ++j) {
    t = glied(j, t);
    const Summe neu = s + t;
    if (j > ab && !(neu > s)) break;
    s = neu;
    if (skaliert) skala.Halten(t, t, s);
  }
  return s;
}

// Normalised terms over an infinite support, the tail rule for the last class: as NormierteTerme
// with K = L + 100, and beyond that the sum goes on while a term still changes it. A tail that
// L + 100 terms already exhaust gives exactly the sum of those terms; a heavy one (a ratio near
// 1, a mode far above L) is no longer cut off. The step must be a ratio (linear in the previous
// term). A series still growing after kMaxWeitereTerme more terms (a divergent one) raises the
// invalid fault.
//
// `konvergent` is the caller's promise that the sum ends before that bound (a ratio that falls
// below 1 for good, its mode far enough below the bound). The sum may then stop as soon as it
// leaves every class below L more than 2^1100 / N behind: each of them comes out of the
// normalisation as 0 whatever the rest adds, the last class as N, the same values the whole sum
// gives, without summing on to a mode a million terms away.
template <typename Schritt>
void NormierteTermeBisKonvergenz(Erwartungswerte& NP, std::uint32_t L, double N, double r0,
                                 Schritt schritt, bool konvergent = false) {
  const std::uint32_t K = UnendlicherTraeger(L);
  // A mode far beyond L (hyper-Pascal with k in the hundreds and q near 1, hyper-Poisson with a
  // in the hundreds) lets the terms rise past the double range on their way to it, within the
  // first L + 100 terms or beyond: they are carried scaled, and the classes below L then come
  // out as the vanishing fractions they are instead of an overflow.
  Zweierskala skala;
  double r = 0;
  Summe S = SkalierteTerme(NP, K, L, r0, schritt, skala, r);
  Summe schwelle = 0;
  if (konvergent) {
    double groesste = 0;
    for (std::uint32_t j = 0; j < L; ++j) groesste = std::max(groesste, NP[j]);
    schwelle = static_cast<Summe>(groesste) * N * 0x1p1100L;
  }
  std::uint32_t i = K + 1;
  for (; i <= K + kMaxWeitereTerme; ++i) {
    r = schritt(i, r);
    skala.Halten(r, std::span(NP).first(L), r, S, schwelle);
    const Summe neu = S + r;
    if (neu == S) break;
    S = neu;
    if (konvergent && S > schwelle) {
      std::fill_n(NP.begin(), L, 0.0);
      break;
    }
  }
  if (i > K + kMaxWeitereTerme) RaiseInvalid();
  TermeNormieren(NP, L, N, S);
}

// NP[0] = N p0 with p0 = e^logP0 as the caller computed it, NP[x] = schritt(x, NP[x-1]) for
// 0 < x < L (a step may read every earlier class), tail rule. With p0 normal the same values as
// RekursionMitRest; below that the recurrence, being linear, runs on the classes divided by
// N e^logP0, each pass beyond 2^900 scaling all of them down by 2^-900, and the scale (kept as
// its logarithm) is applied by ldexp, which goes gradually to 0 without a fault.
template <typename Schritt>
void LineareRekursionMitRest(Erwartungswerte& NP, std::uint32_t L, double N, double p0, Summe logP0,
                             Schritt schritt) {
  if (p0 >= kKleinsteNormale || L == 0) {
    RekursionMitRest(NP, L, N, N * p0, schritt);
    return;
  }
  const Summe kLn2 = std::log(static_cast<Summe>(2));
  Zweierskala skala(std::log(static_cast<Summe>(N)) + logP0);
  NP[0] = 1;
  for (std::uint32_t x = 1; x < L; ++x) {
    NP[x] = schritt(x, NP[x - 1]);
    skala.Halten(NP[x], std::span(NP).first(x + 1));
  }
  const Summe t =
      std::clamp(skala.LogSkala() / kLn2, static_cast<Summe>(-1e5), static_cast<Summe>(1e5));
  const Summe ganz = std::floor(t);
  const double bruch = static_cast<double>(std::exp2(t - ganz));
  // A scale that is no number (the parameters were none, which has raised its fault) gives no
  // exponent to convert.
  const int exponent = ganz == ganz ? static_cast<int>(ganz) : 0;
  Summe summe = 0;
  for (std::uint32_t x = 0; x < L; ++x) {
    NP[x] = std::ldexp(NP[x] * bruch, exponent);
    summe += NP[x];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace vk
