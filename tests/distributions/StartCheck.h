// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The start-vector check of the family tests for members whose last class may go negative
// (tail without absolute value), whose classes below L may hold more than N at a poor start, or
// that need fixed parameters: on a sample data set the estimates raise no fault, every
// alternative gives a finite start vector, and the expected frequencies there are finite.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/FpFault.h"
#include "tests/distributions/Support.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk::test {

// Properties of member `nummer` with the catalog's domain bits of its free parameters (bit k
// sets flag array k, in the order of TParameterEigenschaften) and the given fixed parameters.
inline TParameterEigenschaften MitDomaenen(std::uint32_t nummer, const std::vector<unsigned>& bits,
                                           const std::array<double, kMaxFestparameter>& fest) {
  TParameterEigenschaften eig = Eigenschaften(nummer);
  eig.festparameter = fest;
  ParameterFlags* flags[] = {&eig.zwischenNullundEins, &eig.ueberEins,
                             &eig.unterMinusEins,      &eig.zwischenMinusEinsundEins,
                             &eig.natuerlicheZahl,     &eig.positiveZahl,
                             &eig.natuerlicheZahlMit0, &eig.groesserNull,
                             &eig.kleinerEins,         &eig.groesserGleichMinusEins};
  for (std::size_t j = 0; j < bits.size(); ++j)
    for (std::size_t b = 0; b < 10; ++b) (*flags[b])[j] = ((bits[j] >> b) & 1u) != 0;
  return eig;
}

// A data set's statistics came through the reader, so f and x are the engine's; `eig` carries
// the catalog's domain flags and the fixed parameters a user would give.
inline void StartsEndlich(std::uint32_t nummer, const char* datei,
                          const TParameterEigenschaften& eig) {
  SCOPED_TRACE(std::string(datei) + ", member " + std::to_string(nummer));
  const auto d = Beispieldaten(datei);
  ASSERT_TRUE(d->DatenGueltig);
  const std::uint32_t L = d->Statistik.n;
  auto NP = std::make_unique<Erwartungswerte>();
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(nummer, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte));
  EXPECT_FALSE(scope.Faulted()) << "estimates";
  for (std::uint32_t k = 1; k <= eig.alternativen; ++k) {
    Parametervektor par{};
    ASSERT_TRUE(AlternativeWaehlen(nummer, k, E, d->Haeufigkeiten, par, eig));
    for (std::uint32_t j = 0; j < eig.parZahl; ++j)
      EXPECT_TRUE(std::isfinite(par[j])) << "alternative " << k << ", parameter " << j;
    scope.Reset();
    ASSERT_TRUE(
        ErwartungswerteBerechnen(nummer, par, d->Statistik, d->XWerte, d->Haeufigkeiten, *NP, eig));
    EXPECT_FALSE(scope.Faulted()) << "alternative " << k;
    for (std::uint32_t i = 0; i <= L; ++i)
      EXPECT_TRUE(std::isfinite((*NP)[i])) << "alternative " << k << ", i=" << i;
  }
}

// One member on one sample data set, with the catalog's domain bits and the fixed parameters.
struct StartFall {
  std::uint32_t nummer;
  std::vector<unsigned> bits;
  std::array<double, kMaxFestparameter> fest;
  const char* datei;
};

inline void StartsEndlich(const std::vector<StartFall>& faelle) {
  for (const StartFall& c : faelle)
    StartsEndlich(c.nummer, c.datei, MitDomaenen(c.nummer, c.bits, c.fest));
}

}  // namespace vk::test
