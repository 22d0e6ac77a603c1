// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped catalog against the members the library declares in code: every entry has a
// member with the same number of parameters, fixed parameters and alternatives, and every member
// has an entry.
#include <gtest/gtest.h>

#include <string>

#include "catalog/VerzeichnisLaden.h"
#include "distributions/Registry.h"

namespace vk::test {
namespace {

Verteilungsverzeichnis Shipped() {
  Verteilungsverzeichnis v;
  std::string meldung;
  EXPECT_EQ(VerzeichnisAusDateiLaden(VK_CATALOG_BXM, v, meldung), status::kOk) << meldung;
  return v;
}

TEST(CatalogSignature, EveryEntryMatchesItsMember) {
  Verteilungsverzeichnis v = Shipped();
  int entries = 0;
  for (auto e = v.ErsteVerteilung(0xFFFFFFFFu); e; e = v.NaechsteVerteilung(0xFFFFFFFFu)) {
    ++entries;
    const Member* m = MitgliedSuchen(e->index);
    ASSERT_NE(m, nullptr) << "entry " << e->index << " has no member";
    EXPECT_EQ(e->parameterZahl, m->parZahl) << e->index;
    EXPECT_EQ(e->festparameterZahl, m->festparZahl) << e->index;
    EXPECT_EQ(e->alternativen, m->Alternativen()) << e->index;
    EXPECT_EQ(e->spezial, e->index == kSpezialIndex) << e->index;
  }
  EXPECT_EQ(entries, static_cast<int>(v.VerteilungenZaehlen().verteilungen))
      << "an entry has no group bit and would never be listed";
}

TEST(CatalogSignature, EveryMemberHasAnEntry) {
  const Verteilungsverzeichnis v = Shipped();
  for (const Member* m : Mitglieder())
    EXPECT_TRUE(v.VerteilungHolen(m->nummer)) << "member " << m->nummer << " (" << m->name << ")";
}

TEST(CatalogSignature, SpecialModelNamesItsParametersInVectorOrder) {
  const auto e = Shipped().VerteilungHolen(kSpezialIndex);
  ASSERT_TRUE(e);
  const char* names[] = {"a0", "a1", "a2", "b1", "b2"};
  ASSERT_EQ(e->parameterZahl, 5u);
  for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(e->parameter[k].bezeichnung, names[k]);
  EXPECT_FALSE(e->automatik);
}

}  // namespace
}  // namespace vk::test
