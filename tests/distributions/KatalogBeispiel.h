// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The shipped catalog as the catalog-wide tests read it, and a member's example (Beispiele.h)
// with the properties the engine would give it.
#include <gtest/gtest.h>

#include <string>

#include "catalog/Defs.h"
#include "catalog/VerzeichnisLaden.h"
#include "core/Status.h"
#include "tests/distributions/Beispiele.h"

namespace vk::test {

inline const Verteilungsverzeichnis& Katalog() {
  static const Verteilungsverzeichnis v = [] {
    Verteilungsverzeichnis k;
    std::string meldung;
    EXPECT_EQ(VerzeichnisAusDateiLaden(VK_CATALOG_BXM, k, meldung), status::kOk) << meldung;
    return k;
  }();
  return v;
}

inline const Beispiel* BeispielSuchen(std::uint32_t nummer) {
  for (const Beispiel& b : kBeispiele)
    if (b.nummer == nummer) return &b;
  return nullptr;
}

// The properties the engine would set for the example: names, counts and domain flags from
// the shipped catalog, the fixed parameters from the example.
inline TParameterEigenschaften BeispielEigenschaften(const Beispiel& b) {
  TParameterEigenschaften eig;
  TVerteilung v;
  v.Index = b.nummer;
  EXPECT_EQ(Katalog().ParameterEigenschaftenSetzen(v, eig, b.L), status::kOk)
      << "member " << b.nummer;
  eig.festparameter = b.fest;
  return eig;
}

}  // namespace vk::test
