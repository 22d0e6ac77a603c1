// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests of the standard errors share: the shipped catalog, an engine holding a table of
// counts, and a fit of one member on it.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "catalog/Festparameter.h"
#include "catalog/Katalogeintrag.h"
#include "catalog/VerzeichnisLaden.h"
#include "core/TextRecordSource.h"
#include "fitting/Anpassungen.h"

namespace vk::test {

inline const Verteilungsverzeichnis& Katalog() {
  static const Verteilungsverzeichnis katalog = [] {
    Verteilungsverzeichnis k;
    std::string meldung;
    EXPECT_EQ(VerzeichnisAusDateiLaden(VK_CATALOG_BXM, k, meldung), status::kOk) << meldung;
    return k;
  }();
  return katalog;
}

// An engine holding the counts f of x = x0, x0 + 1, ...; null where the data are refused.
inline std::unique_ptr<Anpassungen> EngineMit(const std::vector<double>& f, std::uint32_t x0 = 0) {
  std::string text;
  for (std::size_t i = 0; i < f.size(); ++i)
    text += std::to_string(x0 + i) + " " + std::to_string(f[i]) + "\n";
  auto a = std::make_unique<Anpassungen>(Katalog());
  std::istringstream in(text);
  TextRecordSource quelle(in);
  TDateneigenschaften e;
  if (a->DatenLesen(quelle, e) != status::kOk) return nullptr;
  return a;
}

inline std::unique_ptr<Anpassungen> EngineAusDatei(const std::string& pfad) {
  std::ifstream in(pfad);
  auto a = std::make_unique<Anpassungen>(Katalog());
  TextRecordSource quelle(in);
  TDateneigenschaften e;
  if (a->DatenLesen(quelle, e) != status::kOk) return nullptr;
  return a;
}

inline TVerteilung Mitglied(std::uint32_t nummer) {
  const auto eintrag = Katalog().VerteilungHolen(nummer);
  EXPECT_TRUE(eintrag);
  return Referenz(*eintrag);
}

// The selected fit, best method only, fixed parameters from the data.
inline Status Anpassen(Anpassungen& a, const TVerteilung& v) {
  Rueckrufe r;
  r.festparameter = NurAutomatischeWerte(a.Daten());
  return a.GewaehlteAnpassung(v, true, r);
}

// The Federalist "may" counts per block of text, x = 0..6.
inline const std::vector<double> kMay = {156, 63, 29, 8, 4, 1, 1};

}  // namespace vk::test
