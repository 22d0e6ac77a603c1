// SPDX-License-Identifier: GPL-3.0-or-later
// Queries of a loaded catalog: the group search, the lists, counting, and what reaches the
// engine (parameter properties, parameter sets, fixed parameters).
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "tests/catalog/CatalogFixtures.h"

namespace vk::test {
namespace {

// Group bits chosen so that every mask selects a different subset: 1 every data set, 2 data
// from 0, 4 data from 1, 8 data from 2 or more.
Verteilungsverzeichnis GroupCatalog() {
  return CatalogFrom({Entry("0").Gruppen("3"), Entry("4").Gruppen("4"), Entry("50").Gruppen("8"),
                      Entry("205").Automatik("false").Spezial("true").Gruppen("1"),
                      Entry("222").Gruppen("2")});
}

std::vector<std::uint32_t> Walk(Verteilungsverzeichnis& v, std::uint32_t maske) {
  std::vector<std::uint32_t> found;
  for (auto e = v.ErsteVerteilung(maske); e; e = v.NaechsteVerteilung(maske))
    found.push_back(e->index);
  return found;
}

TEST(Gruppensuche, EachMaskSelectsItsEntriesInIndexOrder) {
  Verteilungsverzeichnis v = GroupCatalog();
  using L = std::vector<std::uint32_t>;
  EXPECT_EQ(Walk(v, kMaskeAlle), (L{0, 4, 50, 205, 222}));
  EXPECT_EQ(Walk(v, 3), (L{0, 205, 222}));
  EXPECT_EQ(Walk(v, 5), (L{0, 4, 205}));
  EXPECT_EQ(Walk(v, 9), (L{0, 50, 205}));
  EXPECT_EQ(Walk(v, 0), L{});
}

TEST(Gruppensuche, AnEndedWalkStaysEndedUntilRestarted) {
  Verteilungsverzeichnis v = GroupCatalog();
  ASSERT_EQ(v.ErsteVerteilung(9)->index, 0u);
  ASSERT_EQ(v.NaechsteVerteilung(9)->index, 50u);
  ASSERT_EQ(v.NaechsteVerteilung(9)->index, 205u);
  EXPECT_FALSE(v.NaechsteVerteilung(9));
  EXPECT_FALSE(v.NaechsteVerteilung(9));  // not a fresh walk from slot 0
  EXPECT_EQ(v.ErsteVerteilung(9)->index, 0u);

  // A match in the last slot leaves the cursor at 222, after which there is nothing.
  ASSERT_EQ(v.ErsteVerteilung(2)->index, 0u);
  ASSERT_EQ(v.NaechsteVerteilung(2)->index, 222u);
  EXPECT_FALSE(v.NaechsteVerteilung(kMaskeAlle));
  EXPECT_FALSE(v.NaechsteVerteilung(kMaskeAlle));
}

TEST(Gruppensuche, OwnCursorsOfAConstCatalogDoNotDisturbEachOther) {
  const Verteilungsverzeichnis v = GroupCatalog();
  int a = -1;
  int b = -1;
  ASSERT_EQ(v.ErsteVerteilung(kMaskeAlle, a)->index, 0u);
  ASSERT_EQ(v.NaechsteVerteilung(kMaskeAlle, a)->index, 4u);
  ASSERT_EQ(v.ErsteVerteilung(kMaskeAlle, b)->index, 0u);
  EXPECT_EQ(v.NaechsteVerteilung(kMaskeAlle, a)->index, 50u);
  EXPECT_EQ(v.NaechsteVerteilung(kMaskeAlle, b)->index, 4u);
}

TEST(Gruppensuche, EmptyCatalogAndIndexOutOfRange) {
  Verteilungsverzeichnis leer;
  EXPECT_FALSE(leer.ErsteVerteilung(kMaskeAlle));
  EXPECT_EQ(leer.VerteilungenZaehlen().verteilungen, 0u);
  const Verteilungsverzeichnis v = GroupCatalog();
  EXPECT_FALSE(v.VerteilungHolen(1));
  EXPECT_FALSE(v.VerteilungHolen(223));
  EXPECT_FALSE(v.VerteilungHolen(0xFFFFFFFFu));
}

TEST(Auflisten, MaskFollowsTheFirstXOfTheData) {
  auto d = std::make_unique<TDatensatz>();
  const Verteilungsverzeichnis v = GroupCatalog();
  struct Case {
    bool assistiert;
    std::uint32_t x0;
    std::uint32_t maske;
    std::vector<std::uint32_t> listed;
  };
  const Case cases[] = {{false, 7, 15, {0, 4, 50, 205, 222}},
                        {true, 0, 3, {0, 205, 222}},
                        {true, 1, 5, {0, 4, 205}},
                        {true, 2, 9, {0, 50, 205}},
                        {true, 7, 9, {0, 50, 205}}};
  for (const Case& c : cases) {
    FillData(*d, c.x0, {1, 2, 3});
    EXPECT_EQ(Gruppenmaske(c.assistiert, *d), c.maske) << c.x0;
    std::vector<std::uint32_t> listed;
    const Status st = v.VerteilungenAuflisten(c.assistiert, *d, [&](const TVerteilung& r) {
      listed.push_back(r.Index);
      return status::kOk;
    });
    EXPECT_EQ(st, status::kOk);
    EXPECT_EQ(listed, c.listed) << c.x0;
  }
}

TEST(Auflisten, NoDataStopAndException) {
  auto d = std::make_unique<TDatensatz>();
  const Verteilungsverzeichnis v = GroupCatalog();
  int calls = 0;
  const auto count = [&](const TVerteilung&) {
    ++calls;
    return status::kOk;
  };
  EXPECT_EQ(v.VerteilungenAuflisten(true, *d, count), status::kNoData);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(v.VerteilungenAuflisten(false, *d, count), status::kOk);  // no data needed
  EXPECT_EQ(calls, 5);

  std::vector<TVerteilung> seen;
  EXPECT_EQ(v.VerteilungenAuflisten(false, *d,
                                    [&](const TVerteilung& r) {
                                      seen.push_back(r);
                                      return seen.size() == 4 ? status::kAbort : status::kOk;
                                    }),
            status::kAbort);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[3].Index, 205u);
  EXPECT_TRUE(seen[3].spezial);
  EXPECT_FALSE(seen[3].automatik);

  EXPECT_EQ(
      v.VerteilungenAuflisten(
          false, *d, [](const TVerteilung&) -> Status { throw std::runtime_error("list full"); }),
      status::kException);
}

Verteilungsverzeichnis EngineCatalog() {
  return CatalogFrom({Entry("1")
                          .Name("Two plus one")
                          .Alternativen("3")
                          .Par("a", "1")
                          .Par("b", "1023")
                          .Fest("F", "g1=xN", "last x"),
                      Entry("2").Name("Loose").Par("u", "0"),
                      Entry("3")
                          .Name("Three fixed")
                          .Fest("A", "g1=x0", "first")
                          .Fest("B", "manual", "asked")
                          .Fest("C", "r1=1-f[0]/tot", "r")});
}

TEST(ParameterEigenschaften, CountsNamesAndEveryDomainBit) {
  const Verteilungsverzeichnis v = EngineCatalog();
  TParameterEigenschaften pe;
  pe.festparameter = {4, 5, 6};
  ASSERT_EQ(v.ParameterEigenschaftenSetzen({"", 1, false, false}, pe, 4), status::kOk);
  EXPECT_EQ(pe.parZahl, 2u);
  EXPECT_EQ(pe.festparZahl, 1u);
  EXPECT_EQ(pe.alternativen, 3u);
  EXPECT_EQ(pe.parNamen[0], "a");
  EXPECT_EQ(pe.parNamen[1], "b");
  EXPECT_EQ(pe.festparNamen[0], "F");
  EXPECT_EQ(pe.festparameter, (std::array<double, 3>{4, 5, 6}));  // values are not touched
  // Parameter a has bit 0 only; b has bits 0..9, one per flag array in table order.
  const ParameterFlags* flags[] = {&pe.zwischenNullundEins, &pe.ueberEins,
                                   &pe.unterMinusEins,      &pe.zwischenMinusEinsundEins,
                                   &pe.natuerlicheZahl,     &pe.positiveZahl,
                                   &pe.natuerlicheZahlMit0, &pe.groesserNull,
                                   &pe.kleinerEins,         &pe.groesserGleichMinusEins};
  for (std::size_t bit = 0; bit < 10; ++bit) {
    EXPECT_EQ((*flags[bit])[0], bit == 0) << bit;
    EXPECT_TRUE((*flags[bit])[1]) << bit;
    EXPECT_FALSE((*flags[bit])[2]) << bit;
  }

  // The next distribution inherits nothing of the one before.
  ASSERT_EQ(v.ParameterEigenschaftenSetzen({"", 2, false, false}, pe, 3), status::kOk);
  EXPECT_EQ(pe.parNamen[1], "");
  EXPECT_EQ(pe.festparNamen[0], "");
  for (std::size_t bit = 0; bit < 10; ++bit) EXPECT_FALSE((*flags[bit])[1]) << bit;
}

TEST(ParameterEigenschaften, NotEnoughClassesAndEmptySlot) {
  const Verteilungsverzeichnis v = EngineCatalog();
  struct Case {
    std::uint32_t index;
    std::uint32_t n;
    Status expect;
  };
  // Parameters plus fixed parameters must be fewer than the last class index n, which leaves at
  // least one degree of freedom among the n + 1 classes: 2 + 1 on n = 3 is refused.
  const Case cases[] = {{1, 4, status::kOk},
                        {1, 3, status::kNotEnoughClasses},
                        {1, 0, status::kNotEnoughClasses},
                        {3, 4, status::kOk},
                        {3, 3, status::kNotEnoughClasses},
                        {2, 2, status::kOk},
                        {0, 100, status::kDirectoryError},
                        {222, 100, status::kDirectoryError}};
  for (const Case& c : cases) {
    TParameterEigenschaften pe;
    EXPECT_EQ(v.ParameterEigenschaftenSetzen({"", c.index, false, false}, pe, c.n), c.expect)
        << c.index << " n=" << c.n;
  }
  // Status 5 still leaves the properties set, for the message that follows.
  TParameterEigenschaften pe;
  ASSERT_EQ(v.ParameterEigenschaftenSetzen({"", 1, false, false}, pe, 3),
            status::kNotEnoughClasses);
  EXPECT_EQ(pe.parZahl, 2u);
}

TEST(Verteilungsparameter, NamesWithAndWithoutValues) {
  const Verteilungsverzeichnis v = EngineCatalog();
  TVerteilungsparameter vp;
  vp.Parameter[5].Wert = 9;  // stale content must go
  ASSERT_EQ(v.VerteilungsparameterHolen({"", 1, false, false}, vp), status::kOk);
  EXPECT_EQ(vp.ParZahl, 2u);
  EXPECT_EQ(vp.FestParZahl, 1u);
  EXPECT_EQ(vp.Parameter[1].Bezeichnung, "b");
  EXPECT_EQ(vp.Parameter[1].Wert, 0);
  EXPECT_EQ(vp.Parameter[5].Wert, 0);
  EXPECT_EQ(vp.Festparameter[0].Bedingung, "g1=xN");
  EXPECT_EQ(vp.Festparameter[0].Beschreibung, "last x");

  TParameterEigenschaften pe;
  pe.festparameter = {7.5, 0, 0};
  const Parametervektor best = {0.25, 3.5, 99, 99, 99, 99, 99, 99, 99, 99};
  ASSERT_EQ(v.VerteilungsparameterHolen({"", 1, false, false}, best, pe, vp), status::kOk);
  EXPECT_EQ(vp.Parameter[0].Wert, 0.25);
  EXPECT_EQ(vp.Parameter[1].Wert, 3.5);
  EXPECT_EQ(vp.Parameter[2].Wert, 0);  // beyond ParZahl
  EXPECT_EQ(vp.Festparameter[0].Wert, 7.5);
  EXPECT_EQ(v.VerteilungsparameterHolen({"", 0, false, false}, best, pe, vp),
            status::kDirectoryError);
}

TEST(FestparameterHolen, CallbackContract) {
  const Verteilungsverzeichnis v = EngineCatalog();
  auto d = std::make_unique<TDatensatz>();
  FillData(*d, 2, {5, 0, 3, 1, 1, 0, 0, 4});  // x = 2..9

  // No fixed parameters: nobody is asked.
  TParameterEigenschaften pe;
  bool asked = false;
  const FestparameterErfragen never = [&](Festparameterfeld&, std::uint32_t) {
    asked = true;
    return status::kOk;
  };
  EXPECT_EQ(v.FestparameterHolen({"", 2, false, false}, never, pe), status::kOk);
  EXPECT_FALSE(asked);
  EXPECT_EQ(v.FestparameterHolen({"", 0, false, false}, never, pe), status::kDirectoryError);

  // The x[n] code is answered from the data alone.
  EXPECT_EQ(v.FestparameterHolen({"", 1, false, false}, NurAutomatischeWerte(*d), pe), status::kOk);
  EXPECT_EQ(pe.festparameter[0], 9);

  // A dialog-like callback receives names, conditions and count, and its values are copied.
  pe.festparameter = {-1, -1, -1};
  const FestparameterErfragen dialog = [&](Festparameterfeld& fp, std::uint32_t anzahl) {
    EXPECT_EQ(anzahl, 3u);
    EXPECT_EQ(fp[1].Bedingung, "manual");
    std::array<bool, kMaxFestparameter> automatisch{};
    EXPECT_FALSE(AutomatischeWerteEintragen(fp, anzahl, *d, automatisch));
    EXPECT_EQ(automatisch, (std::array<bool, 3>{true, false, true}));
    fp[1].Wert = 42;
    return status::kOk;
  };
  ASSERT_EQ(v.FestparameterHolen({"", 3, false, false}, dialog, pe), status::kOk);
  EXPECT_EQ(pe.festparameter[0], 2);
  EXPECT_EQ(pe.festparameter[1], 42);
  EXPECT_TRUE(Near(pe.festparameter[2], 1 - 5.0 / 14, kTight));

  // A cancelled dialog, or no way to ask, changes nothing.
  pe.festparameter = {-1, -1, -1};
  EXPECT_EQ(v.FestparameterHolen({"", 3, false, false}, NurAutomatischeWerte(*d), pe),
            status::kSkipAbortByUser);
  EXPECT_EQ(v.FestparameterHolen({"", 3, false, false}, nullptr, pe), status::kSkipAbortByUser);
  EXPECT_EQ(pe.festparameter, (std::array<double, 3>{-1, -1, -1}));
}

}  // namespace
}  // namespace vk::test
