// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Estimates on exact data: a member's estimate slots, computed from frequencies N pmf(x) of a
// known distribution, against the parameter that made them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/FpFault.h"
#include "tests/distributions/MemberCheck.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk::test {

// The estimates of member `nummer` (fixed parameters `fest`) on the frequencies fv of the classes
// x0, x0 + 1, ...; they must raise no fault. Slots the member leaves alone stay NaN, and all of
// them where the estimates fail, so that every check on them fails too.
inline Schaetzwerttabelle SchaetzwerteAus(std::uint32_t nummer, const Fest& fest,
                                          const std::vector<double>& fv, std::uint32_t x0 = 0) {
  const auto d = Klassen(fv, x0);
  TParameterEigenschaften eig = Eigenschaften(nummer);
  eig.festparameter = fest;
  Schaetzwerttabelle E;
  E.fill(std::numeric_limits<double>::quiet_NaN());
  FpFaultScope scope;
  const bool ok = SchaetzwerteBerechnen(nummer, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte);
  EXPECT_TRUE(ok) << "member " << nummer;
  EXPECT_FALSE(scope.Faulted()) << "member " << nummer;
  if (!ok) E.fill(std::numeric_limits<double>::quiet_NaN());
  return E;
}

// The frequencies of classes 0..L of an evaluation, as a data set would hold them.
inline std::vector<double> Frequenzen(const Lauf& l, std::uint32_t L) {
  return std::vector<double>(l.NP->begin(), l.NP->begin() + L + 1);
}

// N pmf(x) for the `klassen` values x0, x0 + 1, ..., N = 1000.
inline std::vector<double> Tausendfach(const std::function<double(double)>& pmf, std::uint32_t x0,
                                       std::uint32_t klassen) {
  std::vector<double> fv;
  for (std::uint32_t i = 0; i < klassen; ++i) fv.push_back(1000 * pmf(x0 + i));
  return fv;
}

// Alternative k of member `nummer` (fixed parameters `fest`) on the frequencies fv of the classes
// x0, x0 + 1, ...: the start vector gives each parameter of `erwartet` to `rel`; NaN entries are
// not compared.
inline void StartVergleichen(std::uint32_t nummer, const Fest& fest, const std::vector<double>& fv,
                             std::uint32_t x0, std::uint32_t k, const std::vector<double>& erwartet,
                             double rel) {
  const auto d = Klassen(fv, x0);
  TParameterEigenschaften eig = Eigenschaften(nummer);
  eig.festparameter = fest;
  const Parametervektor par = Start(nummer, *d, eig, k);
  for (std::size_t j = 0; j < erwartet.size(); ++j) {
    if (std::isnan(erwartet[j])) continue;
    EXPECT_TRUE(Near(par[j], erwartet[j], rel))
        << "member " << nummer << ", alternative " << k << ", parameter " << j << ": " << par[j];
  }
}

struct SlotFall {
  const char* name;
  std::uint32_t nummer;
  Fest fest;
  std::uint32_t x0, L;
  std::function<double(double)> pmf;  // probability of the value x
  Letzte letzte;                      // kRest: the last class holds the rest of N
  std::vector<std::pair<std::size_t, double>> slots;
  double rel = kRecovered;
};

inline void SlotsPruefen(const SlotFall& c) {
  SCOPED_TRACE(std::string(c.name) + ", member " + std::to_string(c.nummer));
  constexpr double N = 1000;
  std::vector<double> fv;
  double rest = N;
  for (std::uint32_t i = 0; i <= c.L; ++i) {
    fv.push_back(N * c.pmf(c.x0 + i));
    rest -= fv.back();
  }
  if (c.letzte == Letzte::kRest) fv.back() += rest;
  const Schaetzwerttabelle E = SchaetzwerteAus(c.nummer, c.fest, fv, c.x0);
  for (const auto& [slot, wert] : c.slots)
    EXPECT_TRUE(Near(E[slot], wert, c.rel)) << "slot " << slot << " = " << E[slot];
}

// One evaluation of member `nummer` at `par` on the classes x0..x0+L: whether it faulted, and
// the vector as the member left it (its repairs written back).
struct Auswertung1 {
  bool fehler;
  Parametervektor par;
  std::unique_ptr<Erwartungswerte> NP;
};
inline Auswertung1 Auswerten1(std::uint32_t nummer, Parametervektor par, const Fest& fest,
                              std::uint32_t L, std::uint32_t x0 = 0, double N = 1000) {
  Lauf l = Auswerten(nummer, par, fest, L, x0, N);
  return {l.fehler, par, std::move(l.NP)};
}

}  // namespace vk::test
