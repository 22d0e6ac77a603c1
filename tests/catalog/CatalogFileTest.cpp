// SPDX-License-Identifier: GPL-3.0-or-later
// The catalog file from XML source to table, and every way a file can be broken.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "catalog/BinaryXml.h"
#include "catalog/Compression.h"
#include "catalog/Container.h"
#include "catalog/VerzeichnisLaden.h"
#include "catalog/XmlText.h"
#include "tests/catalog/CatalogFixtures.h"

namespace vk::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string ReadText(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes Pack(const std::string& xml, const CatalogKey& key = DefaultCatalogKey()) {
  Bytes file;
  std::string error;
  EXPECT_TRUE(WriteCatalogFile(ParseOrFail(xml), key, file, error)) << error;
  return file;
}

// Seals an arbitrary payload, to reach the layers behind a valid MAC.
Bytes Seal(const Bytes& payload) {
  Bytes file;
  std::string error;
  EXPECT_TRUE(SealContainer(payload, DefaultCatalogKey(), file, error)) << error;
  return file;
}

Bytes Compressed(const Bytes& tree) {
  Bytes out;
  std::string error;
  EXPECT_TRUE(Compress(tree, out, error)) << error;
  return out;
}

// The file of any tree, valid entries or not, as a foreign or damaged packer could write it.
Bytes PackUnchecked(const std::string& xml) {
  Bytes tree;
  std::string error;
  EXPECT_TRUE(EncodeBinaryXml(ParseOrFail(xml), tree, error)) << error;
  return Seal(Compressed(tree));
}

// Loads `file` into a catalog that already holds one entry, and returns the error text.
std::string LoadError(const Bytes& file, Verteilungsverzeichnis* after = nullptr) {
  Verteilungstabelle tabelle;
  std::string error;
  EXPECT_FALSE(KatalogDateiLesen(file, DefaultCatalogKey(), tabelle, error));
  EXPECT_FALSE(error.empty());
  for (const auto& slot : tabelle) EXPECT_EQ(slot, nullptr);
  if (after) *after = Verteilungsverzeichnis(std::move(tabelle));
  return error;
}

TEST(CatalogFile, ShippedSourceSurvivesPackAndUnpackAsTheSameTree) {
  const XmlDocument source = ParseOrFail(ReadText(VK_CATALOG_XML));
  Bytes file;
  std::string error;
  ASSERT_TRUE(WriteCatalogFile(source, DefaultCatalogKey(), file, error)) << error;
  XmlDocument back;
  ASSERT_TRUE(ReadCatalogDocument(file, DefaultCatalogKey(), back, error)) << error;
  EXPECT_EQ(back, source);
  // And the text the unpacker prints reads back to that tree too.
  EXPECT_EQ(ParseOrFail(WriteXmlText(back)), source);
}

TEST(CatalogFile, TreeWithTextBesideChildrenAndEscapesRoundTrips) {
  const XmlDocument doc = ParseOrFail(
      "<r>head<a>  spaced  </a>tail<b/><c>&lt;&amp;&gt; \"q\" \xC3\xA4\tx\r\ny</c></r>");
  EXPECT_EQ(doc.root.text, "headtail");
  EXPECT_EQ(doc.root.children[0].text, "  spaced  ");
  Bytes tree;
  std::string error;
  ASSERT_TRUE(EncodeBinaryXml(doc, tree, error)) << error;
  XmlDocument back;
  ASSERT_TRUE(DecodeBinaryXml(tree, back, error)) << error;
  EXPECT_EQ(back, doc);
  EXPECT_EQ(ParseOrFail(WriteXmlText(back)), doc);
}

// The catalog grows with the library; which entries it must hold is checked against the
// registry in CatalogSignatureTest. Here: it loads, with its one special model and the first
// members.
TEST(CatalogFile, ShippedFileLoadsWithItsFirstMembers) {
  Verteilungsverzeichnis v;
  std::string meldung;
  ASSERT_EQ(VerzeichnisAusDateiLaden(VK_CATALOG_BXM, v, meldung), status::kOk) << meldung;
  const TVerteilungszahlen z = v.VerteilungenZaehlen();
  EXPECT_GE(z.verteilungen, 4u);
  EXPECT_LE(z.automatik, z.verteilungen - z.spezial);
  EXPECT_EQ(z.spezial, 1u);
  for (std::uint32_t index : {0u, 6u, 16u, kSpezialIndex}) EXPECT_TRUE(v.VerteilungHolen(index));
}

TEST(CatalogFile, BrokenContainersAreRejectedWithTheReason) {
  const Bytes good = Pack(CatalogXml({Entry("0")}));
  CatalogKey otherKey{};
  ASSERT_TRUE(ParseCatalogKey("000102030405060708090a0b0c0d0e0f", otherKey));
  const auto flipped = [&](std::size_t at) {
    Bytes b = good;
    b.at(at) ^= 0x01;
    return b;
  };
  struct Case {
    const char* what;
    Bytes file;
    const char* expect;
  };
  const Case cases[] = {
      {"empty", {}, "too short"},
      {"truncated by one byte", Bytes(good.begin(), good.end() - 1), "length does not match"},
      {"truncated to the header", Bytes(good.begin(), good.begin() + 40), "too short"},
      {"one byte appended",
       [&] {
         Bytes b = good;
         b.push_back(0);
         return b;
       }(),
       "length"},
      {"wrong magic", flipped(0), "wrong magic"},
      {"unknown version", flipped(4), "version"},
      {"IV byte changed", flipped(10), "authentication failed"},
      {"cipher-text byte changed", flipped(kContainerHeader + 3), "authentication failed"},
      {"MAC byte changed", flipped(good.size() - 1), "authentication failed"},
      {"wrong key", Pack(CatalogXml({Entry("0")}), otherKey), "authentication failed"},
  };
  for (const Case& c : cases)
    EXPECT_NE(LoadError(c.file).find(c.expect), std::string::npos)
        << c.what << ": " << LoadError(c.file);
}

TEST(CatalogFile, BrokenPayloadsBehindAValidMacAreRejected) {
  Bytes tree;
  std::string error;
  ASSERT_TRUE(EncodeBinaryXml(ParseOrFail(CatalogXml({Entry("0")})), tree, error));
  const Bytes packed = Compressed(tree);
  struct Case {
    const char* what;
    Bytes payload;
    const char* expect;
  };
  Bytes damaged = packed;
  damaged[8] ^= 0xFF;
  Bytes longer = packed;
  longer[3] += 1;  // declared length one more than the stream gives
  Bytes shorter = packed;
  shorter[3] -= 1;
  Bytes trailing = packed;
  trailing.push_back(0);
  Bytes bomb = packed;
  bomb[0] = 0xFF;
  const Case cases[] = {
      {"no length field", {1, 2}, "shorter than its length"},
      {"damaged zlib stream", damaged, "zlib"},
      {"truncated zlib stream", Bytes(packed.begin(), packed.end() - 5), "zlib"},
      {"declared longer", longer, "declared"},
      {"declared shorter", shorter, "more than the declared"},
      {"bytes after the stream", trailing, "trailing bytes after the zlib"},
      {"absurd declared length", bomb, "exceeds the limit"},
  };
  for (const Case& c : cases) {
    const std::string e = LoadError(Seal(c.payload));
    EXPECT_NE(e.find(c.expect), std::string::npos) << c.what << ": " << e;
  }
}

TEST(CatalogFile, MalformedBinaryTreesAreRejected) {
  Bytes tree;
  std::string error;
  ASSERT_TRUE(EncodeBinaryXml(ParseOrFail("<r><a>1</a></r>"), tree, error));
  // 01 | 01 'r' | 00 | 01 | 01 'a' | 01 '1' | 00
  ASSERT_EQ(tree.size(), 10u);
  Bytes deep = {1};
  for (std::size_t d = 0; d <= kMaxXmlDepth; ++d) deep.insert(deep.end(), {1, 'e', 0, 1});
  deep.insert(deep.end(), {1, 'e', 0, 0});
  struct Case {
    const char* what;
    Bytes tree;
    const char* expect;
  };
  const Case cases[] = {
      {"empty", {}, "unexpected end"},
      {"root flag 2", {2}, "root flag"},
      {"cut inside a child", Bytes(tree.begin(), tree.end() - 2), "past the end"},
      {"trailing byte",
       [&] {
         Bytes b = tree;
         b.push_back(0);
         return b;
       }(),
       "trailing"},
      {"child count beyond the bytes", {1, 1, 'r', 0, 0x7F}, "child count"},
      {"empty name", {1, 0, 0, 0}, "invalid element name"},
      {"name with a blank", {1, 2, 'a', ' ', 0, 0}, "invalid element name"},
      {"text with a NUL", {1, 1, 'a', 1, 0, 0}, "invalid text"},
      {"text with a broken UTF-8 sequence", {1, 1, 'a', 1, 0xC3, 0}, "invalid text"},
      {"varint of six bytes", {1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, "out of range"},
      {"too deep", deep, "deeper"},
  };
  for (const Case& c : cases) {
    const std::string e = LoadError(Seal(Compressed(c.tree)));
    EXPECT_NE(e.find(c.expect), std::string::npos) << c.what << ": " << e;
  }
}

TEST(CatalogFile, MalformedEntriesRejectTheWholeFileAndNameTheEntry) {
  const EntrySpec ok = Entry("3").Name("Fine");
  const auto with = [](auto change) {
    EntrySpec e = Entry("7").Name("Broken");
    change(e);
    return e;
  };
  const std::vector<std::pair<std::string, std::string>> eleven(11, {"p", "0"});
  const std::vector<std::vector<std::string>> four(4, {"f", "g1=x0", "d"});
  struct Case {
    const char* what;
    EntrySpec entry;
    const char* expect;
  };
  const Case cases[] = {
      {"index 223", with([](EntrySpec& e) { e.index = "223"; }), "outside 0..222"},
      {"negative index", with([](EntrySpec& e) { e.index = "-1"; }), "not an unsigned integer"},
      {"index beyond 32 bits", with([](EntrySpec& e) { e.index = "4294967296"; }), "Index"},
      {"11 parameters", with([&](EntrySpec& e) { e.parameter = eleven; }), "11 \"Parameter\""},
      {"4 fixed parameters", with([&](EntrySpec& e) { e.fest = four; }), "4 \"Festparameter\""},
      {"no Gruppen", with([](EntrySpec& e) { e.omit = "Gruppen"; }), "\"Gruppen\" missing"},
      {"no Index", with([](EntrySpec& e) { e.omit = "Index"; }), "\"Index\" missing"},
      {"boolean 'yes'", with([](EntrySpec& e) { e.automatik = "yes"; }), "true or false"},
      {"Alternativen 2.5", with([](EntrySpec& e) { e.alternativen = "2.5"; }), "Alternativen"},
      // Counts the engine loops over: none, or more than the estimate table has rows for (a
      // count of 2^32 - 1 once made a fit run for ever).
      {"Alternativen 0", with([](EntrySpec& e) { e.alternativen = "0"; }), "outside 1..50"},
      {"Alternativen 51", with([](EntrySpec& e) { e.alternativen = "51"; }), "outside 1..50"},
      {"Alternativen 2^32 - 1", with([](EntrySpec& e) { e.alternativen = "4294967295"; }),
       "outside 1..50"},
      {"group bit 4", with([](EntrySpec& e) { e.gruppen = "16"; }), "beyond the 4 groups"},
      {"domain bit 10", with([](EntrySpec& e) {
         e.parameter = {{"p", "1024"}};
       }),
       "beyond the 10 domain flags"},
      {"parameter bits in hex", with([](EntrySpec& e) {
         e.parameter = {{"p", "0x10"}};
       }),
       "\"Parameter\" 1: \"Eigenschaften\""},
  };
  for (const Case& c : cases) {
    Verteilungsverzeichnis after;
    const std::string e = LoadError(PackUnchecked(CatalogXml({ok, c.entry})), &after);
    EXPECT_NE(e.find(c.expect), std::string::npos) << c.what << ": " << e;
    EXPECT_NE(e.find("entry 2"), std::string::npos) << c.what << ": " << e;
    EXPECT_NE(e.find("\"Broken\""), std::string::npos) << c.what << ": " << e;
    EXPECT_EQ(after.VerteilungenZaehlen().verteilungen, 0u) << c.what;
  }
}

TEST(CatalogFile, PackRefusesWhatWouldNotLoad) {
  Bytes file;
  std::string error;
  EXPECT_FALSE(
      WriteCatalogFile(ParseOrFail(CatalogXml({Entry("300")})), DefaultCatalogKey(), file, error));
  EXPECT_NE(error.find("outside"), std::string::npos) << error;
  EXPECT_FALSE(WriteCatalogFile(ParseOrFail("<r><ns:a xmlns:ns='u'/></r>"), DefaultCatalogKey(),
                                file, error));
  EXPECT_NE(error.find("not supported"), std::string::npos) << error;
}

// A second entry with an index once replaced the first without a word ("Poisson" became
// something else); now pack and load refuse the catalog and name both.
TEST(CatalogFile, DuplicateIndexIsRefusedAndNamesBothEntries) {
  Verteilungstabelle tabelle;
  std::string error;
  EXPECT_FALSE(
      EintraegeLesen(ParseOrFail(CatalogXml({Entry("5").Name("First"), Entry("5").Name("Second")})),
                     tabelle, error));
  EXPECT_NE(error.find("\"Second\""), std::string::npos) << error;
  EXPECT_NE(error.find("already the index of \"First\""), std::string::npos) << error;
  Bytes file;
  EXPECT_FALSE(WriteCatalogFile(
      ParseOrFail(CatalogXml({Entry("5").Name("First"), Entry("5").Name("Second")})),
      DefaultCatalogKey(), file, error));
  EXPECT_NE(LoadError(PackUnchecked(CatalogXml({Entry("5").Name("A"), Entry("5").Name("B")})))
                .find("already the index"),
            std::string::npos);
}

struct XmlFall {
  const char* what;
  std::string xml;
  const char* expect;
};

// Hostile sources: a tree nested 200 000 deep once overflowed the stack when it was destroyed,
// an external entity vanished from a name, a DTD was read at all.
TEST(CatalogFile, HostileXmlSourcesAreRefused) {
  std::string tief;
  for (int i = 0; i < 200000; ++i) tief += "<a>";
  for (int i = 0; i < 200000; ++i) tief += "</a>";
  const XmlFall faelle[] = {
      {"deep", tief, "nested deeper than 32 levels"},
      {"dtd", "<!DOCTYPE r [<!ELEMENT r ANY>]><r/>", "(DTD) is not allowed"},
      {"external entity",
       "<!DOCTYPE r [<!ENTITY e SYSTEM 'file:///etc/passwd'>]><r><Verteilung><Bezeichnung_E>&e;"
       "</Bezeichnung_E></Verteilung></r>",
       "is not allowed"},
      {"undeclared entity", "<r><a>&e;</a></r>", "e"},
      {"billion laughs",
       "<!DOCTYPE r [<!ENTITY a 'xxxxxxxxxx'><!ENTITY b '&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;'>]>"
       "<r>&b;</r>",
       "(DTD) is not allowed"},
  };
  for (const XmlFall& f : faelle) {
    XmlDocument doc;
    std::string error;
    EXPECT_FALSE(ParseXmlText(f.xml, doc, error)) << f.what;
    EXPECT_NE(error.find(f.expect), std::string::npos) << f.what << ": " << error;
    EXPECT_FALSE(doc.hasRoot) << f.what;
  }
  // Exactly at the limit is still a document.
  std::string grenze;
  for (std::size_t i = 0; i < kMaxXmlDepth; ++i) grenze += "<a>";
  for (std::size_t i = 0; i < kMaxXmlDepth; ++i) grenze += "</a>";
  XmlDocument doc;
  std::string error;
  EXPECT_TRUE(ParseXmlText(grenze, doc, error)) << error;
}

TEST(CatalogFile, ReadsEveryFieldAndIgnoresForeignElements) {
  Verteilungstabelle t;
  std::string error;
  const std::string xml = "<Anything><Kommentar>ignored</Kommentar>" +
                          EntryXml(Entry(" 12\n")
                                       .Name("  Two words ")
                                       .Automatik("TRUE")
                                       .Spezial("False")
                                       .Alternativen("4")
                                       .Gruppen("15")
                                       .Par("a", "1")
                                       .Par("b", "640")
                                       .Fest("F", "g1=xN", "last value")) +
                          "<Verteilung_alt><Index>1</Index></Verteilung_alt></Anything>";
  ASSERT_TRUE(EintraegeLesen(ParseOrFail(xml), t, error)) << error;
  ASSERT_TRUE(t[12]);
  const TKatalogeintrag& e = *t[12];
  EXPECT_EQ(e.bezeichnung, "Two words");
  EXPECT_TRUE(e.automatik);
  EXPECT_FALSE(e.spezial);
  EXPECT_EQ(e.alternativen, 4u);
  EXPECT_EQ(e.gruppen, 15u);
  ASSERT_EQ(e.parameterZahl, 2u);
  EXPECT_EQ(e.parameter[1].bezeichnung, "b");
  EXPECT_EQ(e.parameter[1].eigenschaften, 640u);
  ASSERT_EQ(e.festparameterZahl, 1u);
  EXPECT_EQ(e.festparameter[0].bedingung, "g1=xN");
  EXPECT_EQ(e.festparameter[0].beschreibung, "last value");
  for (std::size_t k = 0; k < t.size(); ++k) EXPECT_EQ(t[k] != nullptr, k == 12) << k;
}

TEST(CatalogFile, EntryWithoutParametersAndDocumentWithoutRootLoad) {
  const Verteilungsverzeichnis v = CatalogFrom({Entry("9")});
  EXPECT_EQ(v.VerteilungHolen(9)->parameterZahl, 0u);

  // A root-less document cannot be written as XML text, only built as a tree.
  Bytes payload;
  std::string error;
  ASSERT_TRUE(EncodeCatalogPayload(XmlDocument{}, payload, error)) << error;
  Verteilungstabelle t;
  ASSERT_TRUE(KatalogDateiLesen(Seal(payload), DefaultCatalogKey(), t, error)) << error;
  for (const auto& slot : t) EXPECT_EQ(slot, nullptr);
}

TEST(CatalogFile, KeyTextMustBe32HexDigits) {
  CatalogKey key{};
  EXPECT_TRUE(ParseCatalogKey("0F1E2D3C4B5A69788796A5B4C3D2E1F0", key));
  EXPECT_EQ(key, DefaultCatalogKey());
  EXPECT_EQ(key[0], 0x0F);
  EXPECT_EQ(key[15], 0xF0);
  EXPECT_FALSE(ParseCatalogKey("0f1e2d3c4b5a69788796a5b4c3d2e1f", key));
  EXPECT_FALSE(ParseCatalogKey("0f1e2d3c4b5a69788796a5b4c3d2e1fg", key));
}

}  // namespace
}  // namespace vk::test
