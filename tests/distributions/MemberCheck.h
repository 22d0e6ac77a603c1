// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Checks shared by the family tests: a member's expected frequencies against an independent
// probability function, and parameter properties with the catalog's domain bits.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/FpFault.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk::test {

using Fest = std::array<double, kMaxFestparameter>;

// How the last class is formed: the remainder of N (tail rule), or a point probability of a
// distribution truncated at L.
enum class Letzte { kRest, kPunkt };

// The catalog's domain bits (bit 0 zwischenNullundEins ... bit 9 groesserGleichMinusEins) of the
// free parameters, set as flags on the properties of member `nummer`.
inline TParameterEigenschaften MitBits(std::uint32_t nummer, std::initializer_list<unsigned> bits,
                                       const Fest& fest = {}) {
  TParameterEigenschaften eig = Eigenschaften(nummer);
  eig.festparameter = fest;
  std::uint32_t j = 0;
  for (unsigned b : bits) {
    eig.zwischenNullundEins[j] = (b & 1u) != 0;
    eig.ueberEins[j] = (b & 2u) != 0;
    eig.unterMinusEins[j] = (b & 4u) != 0;
    eig.zwischenMinusEinsundEins[j] = (b & 8u) != 0;
    eig.natuerlicheZahl[j] = (b & 16u) != 0;
    eig.positiveZahl[j] = (b & 32u) != 0;
    eig.natuerlicheZahlMit0[j] = (b & 64u) != 0;
    eig.groesserNull[j] = (b & 128u) != 0;
    eig.kleinerEins[j] = (b & 256u) != 0;
    eig.groesserGleichMinusEins[j] = (b & 512u) != 0;
    ++j;
  }
  return eig;
}

// Classes x0, x0 + 1, ..., as the reader delivers them.
inline std::unique_ptr<KlassenWerte> Werte(std::uint32_t x0) {
  auto x = std::make_unique<KlassenWerte>();
  for (std::uint32_t i = 0; i < kMaxKlassen; ++i) (*x)[i] = x0 + i;
  return x;
}

// One evaluation of member `nummer` at `par` (which takes the repairs the member writes back) on
// the classes x0..x0+L with total N: the frequencies, and whether a fault was raised.
struct Lauf {
  bool fehler = false;
  std::unique_ptr<Erwartungswerte> NP = std::make_unique<Erwartungswerte>();
};
inline Lauf Auswerten(std::uint32_t nummer, Parametervektor& par, const Fest& fest, std::uint32_t L,
                      std::uint32_t x0 = 0, double N = 1000) {
  TParameterEigenschaften eig = Eigenschaften(nummer);
  eig.festparameter = fest;
  TStatistik s;
  s.summe = N;
  s.n = L;
  const auto x = Werte(x0);
  const KlassenHaeufigkeiten f{};
  Lauf l;
  FpFaultScope scope;
  EXPECT_TRUE(ErwartungswerteBerechnen(nummer, par, s, *x, f, *l.NP, eig));
  l.fehler = scope.Faulted();
  return l;
}

// Member `nummer` at `par` (fixed parameters `fest`) on the classes x0..x0+L with total N: NP[i]
// agrees with N pmf(i) for i < L, where pmf(i) is the probability of class i computed by the
// test on an independent route; the last class is N minus the reference mass below L (tail rule)
// or N pmf(L) (truncated at L). Under the tail rule the frequencies sum to N. The remainder is
// held to `rel` relative or restProN * N absolute; without restProN, to rel * N.
template <typename Pmf>
void MitReferenzVergleichen(const std::string& name, std::uint32_t nummer, Parametervektor par,
                            const Fest& fest, double N, std::uint32_t L, std::uint32_t x0,
                            Letzte letzte, Pmf pmf, double rel = kLogRoute,
                            std::optional<double> restProN = std::nullopt) {
  SCOPED_TRACE(name + ", member " + std::to_string(nummer) + ", L=" + std::to_string(L));
  const Lauf l = Auswerten(nummer, par, fest, L, x0, N);
  EXPECT_FALSE(l.fehler);
  const auto& NP = l.NP;
  double unterL = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double erwartet = N * pmf(i);
    unterL += erwartet;
    EXPECT_TRUE(Near((*NP)[i], erwartet, rel)) << "i=" << i;
  }
  if (letzte == Letzte::kRest) {
    // The reference remainder inherits the error of every term it subtracts from N.
    EXPECT_TRUE(Near((*NP)[L], N - unterL, rel, restProN.value_or(rel) * N)) << "tail";
  } else {
    EXPECT_TRUE(Near((*NP)[L], N * pmf(L), rel)) << "last class";
  }
  EXPECT_TRUE(Near(Summe(*NP, L), N, kTight));
}

// One class of member `nummer` at `par` (fixed parameters `fest`) on the classes x0..x0+L with
// total N, against a reference value computed by the test on an independent route.
struct Punkt {
  const char* was;
  std::uint32_t nummer;
  Parametervektor par;
  Fest fest;
  std::uint32_t L;
  std::uint32_t x0;
  double N;
  std::uint32_t klasse;
  double erwartet;
};

// Each point: the evaluation is fault-free, its class agrees with the reference to `rel` and the
// classes sum to N.
inline void PunkteVergleichen(const std::vector<Punkt>& punkte, double rel) {
  for (const Punkt& p : punkte) {
    SCOPED_TRACE(std::string(p.was) + ", member " + std::to_string(p.nummer));
    Parametervektor par = p.par;
    const Lauf l = Auswerten(p.nummer, par, p.fest, p.L, p.x0, p.N);
    EXPECT_FALSE(l.fehler);
    EXPECT_TRUE(Near((*l.NP)[p.klasse], p.erwartet, rel))
        << "class " << p.klasse << ": " << (*l.NP)[p.klasse];
    EXPECT_TRUE(Near(Summe(*l.NP, p.L), p.N, kTight));
  }
}

// Runs the estimates and alternative k of member `nummer` on data `d` and returns the start
// vector.
inline Parametervektor Start(std::uint32_t nummer, const TDatensatz& d,
                             const TParameterEigenschaften& eig, std::uint32_t k) {
  Schaetzwerttabelle E{};
  Parametervektor par{};
  FpFaultScope scope;
  EXPECT_TRUE(SchaetzwerteBerechnen(nummer, d.Statistik, eig, E, d.Haeufigkeiten, d.XWerte));
  EXPECT_TRUE(AlternativeWaehlen(nummer, k, E, d.Haeufigkeiten, par, eig));
  EXPECT_FALSE(scope.Faulted()) << "member " << nummer;
  return par;
}

// log C(n, i), log B(a, b): the independent routes of the reference probabilities.
inline double LogBinomial(double n, double i) {
  return std::lgamma(n + 1) - std::lgamma(i + 1) - std::lgamma(n - i + 1);
}
inline double LogBeta(double a, double b) {
  return std::lgamma(a) + std::lgamma(b) - std::lgamma(a + b);
}

// The Poisson(a) and negative binomial NB(k, p) probabilities of the value x through lgamma; 0
// below the support, and NB with k = 0 all at 0.
inline double Poisson(double a, double x) {
  return x < 0 ? 0 : std::exp(-a + x * std::log(a) - std::lgamma(x + 1));
}
inline double NB(double k, double p, double x) {
  if (k == 0) return x == 0 ? 1 : 0;
  return std::exp(std::lgamma(k + x) - std::lgamma(k) - std::lgamma(x + 1) + k * std::log(p) +
                  x * std::log1p(-p));
}

}  // namespace vk::test
