// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A member swept over a grid of parameters against its probability function evaluated directly
// in long double. The member's routes (recurrences, normalisers, tails) must give every class
// below the last within 1e-9 relative wherever its probability is above 1e-300 and the last class
// within 1e-12 N absolute; no class may come out negative (the remainder: not by more than that
// tolerance) or NaN, and no fault may be raised.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/FpFault.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"

namespace vk::test {

// Against a long-double reference across a grid of parameters.
inline constexpr double kSweepRel = kSeries;
inline constexpr double kSweepRestProN = kTight;
// Below this a probability is a rounding artefact in double: only its sign and size are checked.
inline constexpr long double kSweepWinzig = 1e-300L;

// One point of a sweep: the parameters and the classes x0..x0+L they are evaluated on.
struct SweepPunkt {
  Parametervektor par{};
  Fest fest{};
  std::uint32_t L = 10;
  std::uint32_t x0 = 0;
};

// The reference probabilities of classes 0..L. Under Letzte::kRest the last entry is ignored and
// the remainder 1 - sum of the others is used, in long double; under kPunkt it is the last
// class's own probability.
using LangePmf = std::function<std::vector<long double>(const SweepPunkt&)>;

// Every combination of the listed values of the free parameters, with the same fixed
// parameters, classes and first value: the grid of a sweep.
inline std::vector<SweepPunkt> Gitter(std::initializer_list<std::vector<double>> werte,
                                      const Fest& fest, std::uint32_t L, std::uint32_t x0 = 0) {
  std::vector<SweepPunkt> punkte{SweepPunkt{{}, fest, L, x0}};
  std::uint32_t j = 0;
  for (const auto& liste : werte) {
    std::vector<SweepPunkt> neu;
    for (const SweepPunkt& p : punkte) {
      for (double w : liste) {
        neu.push_back(p);
        neu.back().par[j] = w;
      }
    }
    punkte = std::move(neu);
    ++j;
  }
  return punkte;
}

inline std::string Beschreibung(std::uint32_t nummer, const SweepPunkt& p) {
  std::ostringstream os;
  os.precision(17);
  os << "member " << nummer << " par (";
  for (std::uint32_t j = 0; j < 4; ++j) os << (j ? ", " : "") << p.par[j];
  os << ") fest (" << p.fest[0] << ", " << p.fest[1] << ", " << p.fest[2] << ") L " << p.L << " x0 "
     << p.x0;
  return os.str();
}

// One point; returns false (after reporting) at the first class that misses, so a broken member
// does not flood the log.
inline bool SweepPunktPruefen(std::uint32_t nummer, const SweepPunkt& p, Letzte letzte,
                              const LangePmf& referenz, double N = 1000) {
  TParameterEigenschaften eig = Eigenschaften(nummer);
  eig.festparameter = p.fest;
  TStatistik s;
  s.summe = N;
  s.n = p.L;
  const auto x = Werte(p.x0);
  const KlassenHaeufigkeiten f{};
  auto NP = std::make_unique<Erwartungswerte>();
  Parametervektor par = p.par;
  bool fehler = false;
  {
    FpFaultScope scope;
    EXPECT_TRUE(ErwartungswerteBerechnen(nummer, par, s, *x, f, *NP, eig));
    fehler = scope.Faulted();
  }
  if (fehler) {
    ADD_FAILURE() << Beschreibung(nummer, p) << ": floating-point fault";
    return false;
  }
  const std::vector<long double> ref = referenz(p);
  if (ref.size() != p.L + 1) {
    ADD_FAILURE() << Beschreibung(nummer, p) << ": reference gives " << ref.size() << " classes";
    return false;
  }
  long double unterL = 0;
  for (std::uint32_t i = 0; i <= p.L; ++i) {
    const double np = (*NP)[i];
    // The remainder N minus the others may come out a rounding below zero; it is held to the
    // absolute tolerance of the last class below.
    const double boden = i == p.L && letzte == Letzte::kRest ? -kSweepRestProN * N : 0;
    if (std::isnan(np) || np < boden) {
      ADD_FAILURE() << Beschreibung(nummer, p) << ": NP[" << i << "] = " << np;
      return false;
    }
    if (i == p.L) break;
    unterL += ref[i];
    const long double erwartet = N * ref[i];
    const bool gut =
        ref[i] > kSweepWinzig ? std::fabs(np - erwartet) <= kSweepRel * erwartet : np <= N * 1e-290;
    if (!gut) {
      ADD_FAILURE() << Beschreibung(nummer, p) << ": NP[" << i << "] = " << np << ", expected "
                    << static_cast<double>(erwartet);
      return false;
    }
  }
  const long double letzteP = letzte == Letzte::kRest ? 1 - unterL : ref[p.L];
  const double erwartet = static_cast<double>(N * letzteP);
  if (!(std::fabs((*NP)[p.L] - erwartet) <= kSweepRestProN * N)) {
    ADD_FAILURE() << Beschreibung(nummer, p) << ": last class " << (*NP)[p.L] << ", expected "
                  << erwartet;
    return false;
  }
  return true;
}

inline void Sweep(std::uint32_t nummer, const std::vector<SweepPunkt>& punkte, Letzte letzte,
                  const LangePmf& referenz) {
  std::uint32_t fehlgeschlagen = 0;
  for (const SweepPunkt& p : punkte) {
    if (!SweepPunktPruefen(nummer, p, letzte, referenz) && ++fehlgeschlagen == 5) {
      ADD_FAILURE() << "member " << nummer << ": further points not checked";
      return;
    }
  }
}

// Helpers for references: long-double logarithms of factorials, binomial coefficients and the
// Poisson probability.
inline long double LogFak(long double n) {
  return std::lgamma(n + 1);
}
inline long double LogBinomL(long double n, long double k) {
  return std::lgamma(n + 1) - std::lgamma(k + 1) - std::lgamma(n - k + 1);
}
inline long double PoissonL(long double a, long double v) {
  return std::exp(-a + v * std::log(a) - std::lgamma(v + 1));
}

// The reference probabilities of classes 0..L, one call of `term` per class: with the class index
// (Klassen) or with the index as a long double (Terme), for formulas that subtract from it.
template <typename Term>
std::vector<long double> Klassen(const SweepPunkt& p, Term term) {
  std::vector<long double> r(p.L + 1);
  for (std::uint32_t i = 0; i <= p.L; ++i) r[i] = term(i);
  return r;
}
template <typename Term>
std::vector<long double> Terme(const SweepPunkt& p, Term term) {
  std::vector<long double> r(p.L + 1);
  for (std::uint32_t i = 0; i <= p.L; ++i) r[i] = term(static_cast<long double>(i));
  return r;
}

// Normalises terms t[0..L] (already holding unnormalised probabilities) in place.
inline std::vector<long double> Normiert(std::vector<long double> t) {
  long double s = 0;
  for (long double v : t) s += v;
  for (long double& v : t) v /= s;
  return t;
}

}  // namespace vk::test
