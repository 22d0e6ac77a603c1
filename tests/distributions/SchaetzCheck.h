// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Estimates on exact data: a member's estimate slots, computed from frequencies N pmf(x) of a
// known distribution, against the parameter that made them.
#include <gtest/gtest.h>

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

struct SlotFall {
  const char* name;
  std::uint32_t nummer;
  Fest fest;
  std::uint32_t x0, L;
  std::function<double(double)> pmf;  // probability of the value x
  Letzte letzte;                      // kRest: the last class holds the rest of N
  std::vector<std::pair<std::size_t, double>> slots;
  double rel = kRelRecovered;
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
  const auto d = Klassen(fv, c.x0);
  TParameterEigenschaften eig = Eigenschaften(c.nummer);
  eig.festparameter = c.fest;
  Schaetzwerttabelle E;
  E.fill(std::numeric_limits<double>::quiet_NaN());
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(c.nummer, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte));
  EXPECT_FALSE(scope.Faulted());
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
