// SPDX-License-Identifier: GPL-3.0-or-later
// The long-table readers: data sets grouped by id, every fault named with its id and line and
// the rest of the table read on; and the shards, whose union is the table, each id once.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "app/kalibra/IdHash.h"
#include "app/kalibra/TableSource.h"
#include "core/Datensatz.h"

namespace vk::cli {
namespace {

struct Gelesen {
  std::vector<Tabellendatensatz> saetze;
  std::string abbruch;
};

Gelesen Lesen(const std::string& text, Tabellenart art, Tabellenspalten spalten = {}) {
  std::istringstream in(text);
  auto q = OpenTableSource(in, art, spalten);
  Gelesen g;
  while (auto d = q->Naechster()) g.saetze.push_back(std::move(*d));
  g.abbruch = q->Abbruch();
  return g;
}

// What a data set reads as: "id:x=f,x=f" or "id!message".
std::string Kurz(const Tabellendatensatz& d) {
  if (!d.fehler.empty()) return d.id + "!" + d.fehler;
  std::ostringstream s;
  s << d.id << ":";
  for (const Record& r : d.records) s << r.x << "=" << r.f << ",";
  return s.str();
}

TEST(TableSource, GroupsRowsByIdAndNamesEveryFaultWithItsIdAndLine) {
  struct Fall {
    const char* was;
    std::string text;
    Tabellenart art;
    std::vector<std::string> erwartet;
    Tabellenspalten spalten{};
  };
  const Fall faelle[] = {
      {"CSV, extra columns in any order, quoted fields",
       "note,f,id,x\n\"a, b\",3,t1,0\nz,4.5,t1,1\n,1e-3,\"t,2\",2\n", Tabellenart::kCsv,
       {"t1:0=3,1=4.5,", "t,2:2=0.001,"}},
      {"TSV with a byte order mark and CR LF", "\xEF\xBB\xBFid\tx\tf\r\nA\t1\t2\r\nA\t2\t5\r\n",
       Tabellenart::kTsv, {"A:1=2,2=5,"}},
      {"columns chosen by name", "n,text,len\n4,w,1\n", Tabellenart::kCsv, {"w:1=4,"},
       {"text", "len", "n"}},
      {"a malformed number spoils its data set only",
       "id,x,f\na,0,1\na,1,zwei\na,2,3\nb,0,1\n", Tabellenart::kCsv,
       {"a!id 'a', line 3: 'zwei' is not a number", "b:0=1,"}},
      {"missing fields and empty cells", "id,x,f\na,0\nb,1,\nc,,2\nd,0,1\n", Tabellenart::kCsv,
       {"a!id 'a', line 2: 2 fields, fewer than the header names",
        "b!id 'b', line 3: no frequency", "c!id 'c', line 4: no x value", "d:0=1,"}},
      {"an id that returns after others", "id,x,f\na,0,1\nb,0,2\na,1,3\na,2,3\nc,0,1\n",
       Tabellenart::kCsv,
       {"a:0=1,", "b:0=2,",
        "a!id 'a', line 4: the id came before, with other ids between; the rows of one id must "
        "stand together (this group is skipped)",
        "c:0=1,"}},
      {"an empty id", "id,x,f\n,0,1\nb,0,1\n", Tabellenart::kCsv,
       {"!line 2: the id is empty", "b:0=1,"}},
      {"JSON Lines, string and numeric ids, blank lines",
       "{\"id\":\"s1\",\"x\":[0,1],\"f\":[2,3]}\n\n{\"id\":7,\"x\":[3],\"f\":[1.5]}\n",
       Tabellenart::kJsonLines, {"s1:0=2,1=3,", "7:3=1.5,"}},
      {"JSON Lines faults", 
       "{\"id\":\"a\",\"x\":[0,1],\"f\":[2]}\n{\"id\":\"b\",\"x\":[0.5],\"f\":[2]}\n"
       "{\"id\":\"c\",\"x\":[0],\"f\":[\"2\"]}\n{\"id\":\"d\",\"x\":[0],\n{\"id\":\"e\",\"x\":[],\"f\":[]}\n",
       Tabellenart::kJsonLines,
       {"a!id 'a', line 1: \"x\" has 2 values, \"f\" 1",
        "b!id 'b', line 2: x[0] is not a whole number of at least 0",
        "c!id 'c', line 3: f[0] is not a number", "!line 4: not a JSON object (", "e:"}},
  };
  for (const Fall& c : faelle) {
    const Gelesen g = Lesen(c.text, c.art, c.spalten);
    // A message is compared by its start: Qt's own wording of a JSON fault follows it.
    std::vector<std::string> ist;
    for (std::size_t i = 0; i < g.saetze.size(); ++i) {
      const std::string k = Kurz(g.saetze[i]);
      ist.push_back(i < c.erwartet.size() && k.rfind(c.erwartet[i], 0) == 0 ? c.erwartet[i] : k);
    }
    EXPECT_EQ(ist, c.erwartet) << c.was;
    EXPECT_EQ(g.abbruch, "") << c.was;
  }
}

TEST(TableSource, AHeaderWithoutTheColumnsEndsTheTableWithTheColumnsNamed) {
  const Gelesen g = Lesen("ident,x,freq\na,0,1\n", Tabellenart::kCsv);
  EXPECT_TRUE(g.saetze.empty());
  EXPECT_NE(g.abbruch.find("no column 'id', 'f'"), std::string::npos) << g.abbruch;
  EXPECT_NE(g.abbruch.find("'ident', 'x', 'freq'"), std::string::npos) << g.abbruch;
  EXPECT_NE(Lesen("", Tabellenart::kCsv).abbruch.find("empty"), std::string::npos);
}

// A huge id is kept whole, and a data set beyond the class limit is cut off with a message
// instead of growing without bound.
TEST(TableSource, HugeIdsAndDataSetsBeyondTheClassLimit) {
  const std::string id(100000, 'q');
  std::string text = "id,x,f\n" + id + ",0,1\n";
  Gelesen g = Lesen(text, Tabellenart::kCsv);
  ASSERT_EQ(g.saetze.size(), 1u);
  EXPECT_EQ(g.saetze[0].id, id);

  text = "id,x,f\n";
  for (std::uint32_t x = 0; x <= kMaxKlassen + 5; ++x) text += "big," + std::to_string(x) + ",1\n";
  text += "next,0,1\n";
  g = Lesen(text, Tabellenart::kCsv);
  ASSERT_EQ(g.saetze.size(), 2u);
  EXPECT_NE(g.saetze[0].fehler.find("more than 20001 rows"), std::string::npos);
  EXPECT_TRUE(g.saetze[0].records.empty());
  EXPECT_EQ(Kurz(g.saetze[1]), "next:0=1,");
}

// The records go through the data file's rules: only the first x may be 0, x ascends, and a
// data set without rows has no data.
TEST(TableSource, RecordsFollowTheDataFileRules) {
  const struct {
    std::vector<Record> records;
    Status erwartet;
  } faelle[] = {{{{3, 0}, {4, 1}, {1, 3}}, status::kOk},
                {{}, status::kNoData},
                {{{3, 1}, {4, 0}}, status::kDataError},
                {{{3, 2}, {4, 1}}, status::kDataError}};
  for (const auto& c : faelle) {
    auto d = std::make_unique<TDatensatz>();
    DatensatzRecords q(c.records);
    TDateneigenschaften eig;
    EXPECT_EQ(DatenLesen(*d, q, eig), c.erwartet) << c.records.size();
  }
}

// FNV-1a 64 test vectors (the published ones for "", "a" and "foobar"), and shards that cover
// every id exactly once.
TEST(Shard, TheHashIsFnv1aAndShardsPartitionTheIds) {
  EXPECT_EQ(IdHash(""), 0xcbf29ce484222325ull);
  EXPECT_EQ(IdHash("a"), 0xaf63dc4c8601ec8cull);
  EXPECT_EQ(IdHash("foobar"), 0x85944171f73967e8ull);
  for (std::uint64_t n : {1u, 2u, 3u, 7u}) {
    std::vector<int> zahl(n, 0);
    for (int k = 0; k < 1000; ++k) {
      const std::string id = "text-" + std::to_string(k);
      int treffer = 0;
      for (std::uint64_t i = 1; i <= n; ++i) {
        if (Shard{i, n}.Enthaelt(id)) {
          ++treffer;
          ++zahl[i - 1];
        }
      }
      EXPECT_EQ(treffer, 1) << id << " in " << n << " shards";
    }
    for (int z : zahl) EXPECT_GT(z, 1000 / static_cast<int>(n) / 2) << n;  // none starved
  }
  const struct {
    const char* text;
    bool gut;
  } lesen[] = {{"1/4", true}, {"4/4", true}, {"0/4", false}, {"5/4", false},
               {"a/b", false}, {"1/", false}, {"/4", false}, {"1/4x", false}, {"14", false}};
  for (const auto& c : lesen) EXPECT_EQ(ShardLesen(c.text).has_value(), c.gut) << c.text;
}

}  // namespace
}  // namespace vk::cli
