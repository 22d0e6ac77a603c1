// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "catalog/Defs.h"
#include "core/DatenDatei.h"
#include "core/DatenLesen.h"
#include "core/FpFault.h"
#include "core/TextRecordSource.h"
#include "distributions/Member.h"
#include "distributions/Registry.h"
#include "tests/support/NachNummer.h"
#include "tests/support/Tolerance.h"

namespace vk::test {

// A data set read from one of the sample files in data/.
inline std::unique_ptr<TDatensatz> Beispieldaten(const std::string& datei) {
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  std::string detail;
  const Status st = DateiLesen(std::string(VK_DATA_DIR) + "/" + datei, *d, e, detail);
  EXPECT_EQ(st, 0) << datei << ": " << detail;
  return d;
}

// A data set of classes 0, 1, ..., with the given (real) frequencies, through the reader, so
// that its statistics are the ones the engine would see.
inline std::unique_ptr<TDatensatz> Klassen(const std::vector<double>& f, unsigned x0 = 0) {
  std::ostringstream text;
  char zeile[64];
  for (std::size_t i = 0; i < f.size(); ++i) {
    std::snprintf(zeile, sizeof zeile, "%zu %.17g\n", i + x0, f[i]);
    text << zeile;
  }
  std::istringstream in(text.str());
  TextRecordSource quelle(in);
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  EXPECT_EQ(DatenLesen(*d, quelle, e), 0);
  return d;
}

// Parameter properties as the catalog would give them for `nummer`, without domain flags.
inline TParameterEigenschaften Eigenschaften(std::uint32_t nummer) {
  TParameterEigenschaften eig;
  if (const Member* m = MitgliedSuchen(nummer)) {
    eig.parZahl = m->parZahl;
    eig.festparZahl = m->festparZahl;
    eig.alternativen = m->Alternativen();
  }
  return eig;
}

inline double Summe(const Erwartungswerte& NP, std::uint32_t L) {
  long double s = 0;
  for (std::uint32_t i = 0; i <= L; ++i) s += NP[i];
  return static_cast<double>(s);
}

// On a real data set, every alternative of member `nummer` gives a start vector at which the
// expected frequencies form a distribution: no fault, non-negative, summing to N.
inline void StartsGebenVerteilung(std::uint32_t nummer, const char* datei,
                                  const TParameterEigenschaften& eig) {
  const auto d = Beispieldaten(datei);
  ASSERT_TRUE(d->DatenGueltig) << datei;
  const std::uint32_t L = d->Statistik.n;
  auto NP = std::make_unique<Erwartungswerte>();
  Schaetzwerttabelle E{};
  FpFaultScope scope;
  ASSERT_TRUE(SchaetzwerteBerechnen(nummer, d->Statistik, eig, E, d->Haeufigkeiten, d->XWerte));
  for (std::uint32_t k = 1; k <= eig.alternativen; ++k) {
    Parametervektor par{};
    ASSERT_TRUE(AlternativeWaehlen(nummer, k, E, d->Haeufigkeiten, par, eig));
    ASSERT_TRUE(
        ErwartungswerteBerechnen(nummer, par, d->Statistik, d->XWerte, d->Haeufigkeiten, *NP, eig));
    EXPECT_FALSE(scope.Faulted()) << datei << ", alternative " << k;
    for (std::uint32_t i = 0; i <= L; ++i) {
      EXPECT_GE((*NP)[i], 0) << datei << ", alternative " << k << ", i=" << i;
    }
    EXPECT_TRUE(Near(Summe(*NP, L), d->Statistik.summe, kTight)) << datei << ", alternative " << k;
  }
}

}  // namespace vk::test
