// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed values the recorded command-line outputs use (Beispiel::festBeiProben): tools/golden.sh
// reads them from the rows of Beispiele.h as text, so a row it cannot read, a name the member does
// not have or a value its condition refuses would silently record a failed fit instead of one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

#include "catalog/Festparameter.h"
#include "tests/distributions/Beispiele.h"
#include "tests/distributions/KatalogBeispiel.h"
#include "tests/distributions/Support.h"

namespace vk::test {
namespace {

// "m=2 n=20" as name and value, in order; false for a word that is not NAME=NUMBER.
bool Zerlegen(const std::string& text, std::map<std::string, double>& werte, std::string& fehler) {
  std::istringstream in(text);
  std::string wort;
  while (in >> wort) {
    const std::size_t gleich = wort.find('=');
    char* ende = nullptr;
    const double wert =
        gleich == std::string::npos ? 0 : std::strtod(wort.c_str() + gleich + 1, &ende);
    if (gleich == std::string::npos || gleich == 0 || ende == nullptr || *ende != '\0' ||
        ende == wort.c_str() + gleich + 1) {
      fehler = "'" + wort + "' is not NAME=VALUE";
      return false;
    }
    if (!werte.emplace(wort.substr(0, gleich), wert).second) {
      fehler = "'" + wort.substr(0, gleich) + "' given twice";
      return false;
    }
  }
  return true;
}

// Every fixed parameter that no data set gives a value (its condition code names nothing to read
// off the data) is given, and nothing else: the command line would refuse the fit without it, or
// take a value the data give from the row instead.
TEST(ProbenFestwerte, GiveExactlyTheValuesTheDataCannot) {
  const auto daten = Beispieldaten("horse-kicks.dat");
  ASSERT_TRUE(daten->DatenGueltig);
  for (const Beispiel& b : kBeispiele) {
    SCOPED_TRACE("member " + std::to_string(b.nummer));
    const auto e = Katalog().VerteilungHolen(b.nummer);
    ASSERT_TRUE(e.has_value());
    std::map<std::string, double> werte;
    std::string fehler;
    ASSERT_TRUE(Zerlegen(b.festBeiProben, werte, fehler)) << fehler;
    for (std::uint32_t k = 0; k < e->festparameterZahl; ++k) {
      const TKatalogFestparameter& p = e->festparameter[k];
      double ausDaten = 0;
      const bool automatisch = AutomatischerWert(p.bedingung, *daten, ausDaten);
      const auto gegeben = werte.find(p.bezeichnung);
      EXPECT_NE(gegeben != werte.end(), automatisch)
          << p.bezeichnung << " (" << p.bedingung << ")"
          << (automatisch ? " comes from the data" : " needs a value");
      if (gegeben == werte.end()) continue;
      EXPECT_EQ(FestwertPruefen(p.bedingung, gegeben->second), "") << p.bezeichnung;
      werte.erase(gegeben);
    }
    for (const auto& [name, wert] : werte) ADD_FAILURE() << "no fixed parameter '" << name << "'";
  }
}

// golden.sh takes a row's values from a line of its own that starts with the member's number and
// ends with the quoted values; a row wrapped onto two lines would lose them without a word.
TEST(ProbenFestwerte, EachRowStandsOnTheLineGoldenShReads) {
  std::ifstream datei(VK_BEISPIELE_H);
  ASSERT_TRUE(datei.good()) << VK_BEISPIELE_H;
  // The pattern of tools/golden.sh, 's/^ *\{([0-9]+), .*, "([^"]+)"\},$/\1\t\2/p'.
  const std::regex zeilenmuster(R"re(^ *\{([0-9]+), .*, "([^"]+)"\},$)re");
  std::map<std::uint32_t, std::string> gelesen;
  std::string zeile;
  std::smatch m;
  while (std::getline(datei, zeile)) {
    if (!std::regex_match(zeile, m, zeilenmuster)) continue;
    EXPECT_TRUE(gelesen.emplace(std::stoul(m[1].str()), m[2].str()).second) << zeile;
  }
  std::size_t mitWerten = 0;
  for (const Beispiel& b : kBeispiele) {
    if (*b.festBeiProben == '\0') continue;
    ++mitWerten;
    const auto it = gelesen.find(b.nummer);
    ASSERT_NE(it, gelesen.end()) << "member " << b.nummer << ": row not on one line";
    EXPECT_EQ(it->second, b.festBeiProben) << "member " << b.nummer;
  }
  EXPECT_EQ(gelesen.size(), mitWerten);
  EXPECT_GT(mitWerten, 0u);
}

}  // namespace
}  // namespace vk::test
