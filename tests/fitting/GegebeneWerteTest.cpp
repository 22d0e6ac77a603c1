// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed values given by name are checked against the distributions they are given for: every
// name must be a fixed parameter of one of them and every value must keep its condition.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalog/Festparameter.h"
#include "fitting/GegebeneWerte.h"

namespace vk {
namespace {

TKatalogeintrag Eintrag(std::vector<TKatalogFestparameter> fest) {
  TKatalogeintrag e;
  e.festparameterZahl = static_cast<std::uint32_t>(fest.size());
  for (std::size_t k = 0; k < fest.size(); ++k) e.festparameter[k] = fest[k];
  return e;
}

TEST(FestwertVerstoss, NamesTheFirstValueThatDoesNotSuit) {
  const TKatalogeintrag binomial = Eintrag({{"n", "g1>0", ""}});
  const TKatalogeintrag zwei = Eintrag({{"k", "k>0", ""}, {"n", "g1>0", ""}});
  const TKatalogeintrag ohne = Eintrag({});
  struct Fall {
    const char* was;
    std::map<std::string, double> gegeben;
    std::vector<TKatalogeintrag> eintraege;
    std::optional<Festwertverstoss> erwartet;
  };
  const Fall faelle[] = {
      {"nothing given", {}, {binomial}, std::nullopt},
      {"a value that keeps its condition", {{"n", 5}}, {binomial}, std::nullopt},
      {"a name of the second distribution", {{"k", 0.5}}, {binomial, zwei}, std::nullopt},
      {"a count below its bound",
       {{"n", -3}},
       {binomial},
       Festwertverstoss{"n", -3, FestwertPruefen("g1>0", -3), "g1>0", {}}},
      {"a count that is no whole number",
       {{"n", 2.5}},
       {zwei},
       Festwertverstoss{"n", 2.5, FestwertPruefen("g1>0", 2.5), "g1>0", {}}},
      // Each valid name once, in catalog order, however many distributions share it.
      {"an unknown name", {{"q", 1}}, {binomial, zwei}, Festwertverstoss{"q", 1, {}, {}, " n, k"}},
      {"a distribution without fixed parameters",
       {{"q", 1}},
       {ohne},
       Festwertverstoss{"q", 1, {}, {}, {}}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.was);
    const std::optional<Festwertverstoss> v = FestwertVerstoss(f.gegeben, f.eintraege);
    ASSERT_EQ(v.has_value(), f.erwartet.has_value());
    if (!v) continue;
    EXPECT_EQ(v->name, f.erwartet->name);
    EXPECT_EQ(v->wert, f.erwartet->wert);
    EXPECT_EQ(v->grund, f.erwartet->grund);
    EXPECT_EQ(v->bedingung, f.erwartet->bedingung);
    EXPECT_EQ(v->namen, f.erwartet->namen);
  }
}

}  // namespace
}  // namespace vk
