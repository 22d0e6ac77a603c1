// SPDX-License-Identifier: GPL-3.0-or-later
// Small catalogs written as XML text, so that each test states the entries it depends on.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "catalog/CatalogFile.h"
#include "catalog/EntryReader.h"
#include "catalog/Verteilungsverzeichnis.h"
#include "catalog/XmlText.h"
#include "tests/support/Tolerance.h"

namespace vk::test {

struct EntrySpec {
  std::string index = "0";
  std::string name = "Entry";
  std::string automatik = "true";
  std::string spezial = "false";
  std::string alternativen = "1";
  std::string gruppen = "3";
  std::vector<std::pair<std::string, std::string>> parameter;  // name, domain bits
  std::vector<std::vector<std::string>> fest;                  // name, condition, description
  std::string omit;                                            // one element left out

  EntrySpec& Name(std::string v) { return Set(name, std::move(v)); }
  EntrySpec& Automatik(std::string v) { return Set(automatik, std::move(v)); }
  EntrySpec& Spezial(std::string v) { return Set(spezial, std::move(v)); }
  EntrySpec& Alternativen(std::string v) { return Set(alternativen, std::move(v)); }
  EntrySpec& Gruppen(std::string v) { return Set(gruppen, std::move(v)); }
  EntrySpec& Omit(std::string v) { return Set(omit, std::move(v)); }
  EntrySpec& Par(std::string n, std::string bits) {
    parameter.emplace_back(std::move(n), std::move(bits));
    return *this;
  }
  EntrySpec& Fest(std::string n, std::string bedingung, std::string beschreibung) {
    fest.push_back({std::move(n), std::move(bedingung), std::move(beschreibung)});
    return *this;
  }

 private:
  EntrySpec& Set(std::string& field, std::string v) {
    field = std::move(v);
    return *this;
  }
};

inline EntrySpec Entry(std::string index) {
  EntrySpec e;
  e.index = std::move(index);
  return e;
}

inline std::string Element(const std::string& name, const std::string& text) {
  return "<" + name + ">" + text + "</" + name + ">";
}

inline std::string EntryXml(const EntrySpec& e) {
  std::string x = "<Verteilung>";
  const std::pair<const char*, const std::string*> fields[] = {
      {"Index", &e.index},     {"Bezeichnung_E", &e.name},        {"Automatik", &e.automatik},
      {"Spezial", &e.spezial}, {"Alternativen", &e.alternativen}, {"Gruppen", &e.gruppen}};
  for (const auto& [name, text] : fields)
    if (e.omit != name) x += Element(name, *text);
  for (const auto& [name, bits] : e.parameter)
    x += "<Parameter>" + Element("Bezeichnung", name) + Element("Eigenschaften", bits) +
         "</Parameter>";
  for (const auto& f : e.fest)
    x += "<Festparameter>" + Element("Bezeichnung", f.at(0)) + Element("Bedingungen", f.at(1)) +
         Element("Beschreibung", f.at(2)) + "</Festparameter>";
  return x + "</Verteilung>";
}

inline std::string CatalogXml(const std::vector<EntrySpec>& entries) {
  std::string x = "<Katalog>";
  for (const EntrySpec& e : entries) x += EntryXml(e);
  return x + "</Katalog>";
}

inline XmlDocument ParseOrFail(const std::string& xml) {
  XmlDocument doc;
  std::string error;
  EXPECT_TRUE(ParseXmlText(xml, doc, error)) << error;
  return doc;
}

// A catalog object straight from XML text, bypassing the file layers.
inline Verteilungsverzeichnis CatalogFrom(const std::vector<EntrySpec>& entries) {
  Verteilungstabelle tabelle;
  std::string error;
  EXPECT_TRUE(EintraegeLesen(ParseOrFail(CatalogXml(entries)), tabelle, error)) << error;
  return Verteilungsverzeichnis(std::move(tabelle));
}

// A data set of consecutive classes from x0 with the given frequencies, marked valid. Only what
// the catalog reads is filled: classes, N and the last class index.
inline void FillData(TDatensatz& d, std::uint32_t x0, const std::vector<double>& f) {
  d.Statistik = TStatistik{};
  d.Statistik.n = static_cast<std::uint32_t>(f.size() - 1);
  for (std::size_t i = 0; i < f.size(); ++i) {
    d.XWerte[i] = x0 + static_cast<std::uint32_t>(i);
    d.Haeufigkeiten[i] = f[i];
    d.Statistik.summe += f[i];
  }
  d.DatenGueltig = true;
}

}  // namespace vk::test
