// SPDX-License-Identifier: GPL-3.0-or-later
// `kalibra list` run as a user would, with the shipped catalog and with catalogs of its own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "distributions/Registry.h"
#include "tests/catalog/CatalogFixtures.h"
#include "tests/support/KalibraProcess.h"

namespace vk::test {
namespace {

using Outcome = KalibraOutcome;

Outcome Kalibra(const QStringList& args, const QString& cwd = {},
                const QString& exe = VK_KALIBRA_EXE) {
  return RunKalibra(args, cwd, "C.UTF-8", exe);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray Packed(const std::vector<EntrySpec>& entries) {
  std::vector<std::uint8_t> file;
  std::string error;
  EXPECT_TRUE(WriteCatalogFile(ParseOrFail(CatalogXml(entries)), DefaultCatalogKey(), file, error));
  return QByteArray(reinterpret_cast<const char*>(file.data()),
                    static_cast<qsizetype>(file.size()));
}

std::vector<int> Indices(const QByteArray& json) {
  std::vector<int> out;
  for (const auto& v : QJsonDocument::fromJson(json).object()["distributions"].toArray())
    out.push_back(v.toObject()["index"].toInt());
  return out;
}

TEST(KalibraList, ShippedCatalogInJson) {
  QTemporaryDir empty;  // no catalog here: the one beside the program is used
  const Outcome r = Kalibra({"list", "--format", "json"}, empty.path());
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QJsonObject root = QJsonDocument::fromJson(r.out).object();
  EXPECT_TRUE(root["catalog"].toString().endsWith("/Kalibra.bxm"));
  // Every distribution of the library has its entry, listed in index order.
  std::vector<int> erwartet;
  for (const Member* m : Mitglieder()) erwartet.push_back(static_cast<int>(m->nummer));
  EXPECT_EQ(Indices(r.out), erwartet);
  const QJsonObject binomial = root["distributions"].toArray()[0].toObject();
  EXPECT_EQ(binomial["alternatives"].toInt(), 6);
  EXPECT_EQ(binomial["parameters"].toArray()[0].toObject()["domainBits"].toInt(), 16);
  EXPECT_TRUE(binomial["automatic"].toBool());
}

TEST(KalibraList, FiltersAndTheCatalogOfTheCurrentDirectory) {
  QTemporaryDir dir;
  WriteFile(
      dir.filePath("Kalibra.bxm"),
      Packed({Entry("1").Gruppen("2").Alternativen("2").Par("p", "1").Fest("F", "g1=xN", "last x"),
              Entry("2").Gruppen("4").Par("a", "128"),
              Entry("3")
                  .Gruppen("8")
                  .Automatik("false")
                  .Alternativen("3")
                  .Par("K", "128")
                  .Par("R", "128")
                  .Fest("n", "g1=xN", "last x"),
              Entry("205")
                  .Gruppen("1")
                  .Automatik("false")
                  .Spezial("true")
                  .Par("a0", "0")
                  .Par("a1", "0")
                  .Par("a2", "0")
                  .Par("b1", "0")
                  .Par("b2", "0")}));
  WriteFile(dir.filePath("from7.dat"), "7 3\n8 1\n");
  struct Case {
    QStringList options;
    std::vector<int> listed;
  };
  const Case cases[] = {{{}, {1, 2, 3, 205}},
                        {{"--automatic"}, {1, 2}},
                        {{"--special"}, {205}},
                        {{"--automatic", "--special"}, {1, 2, 205}},
                        {{"--assisted", "from7.dat"}, {3, 205}}};
  for (const Case& c : cases) {
    const Outcome r = Kalibra(QStringList{"list", "--format", "json"} + c.options, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(Indices(r.out), c.listed) << c.options.join(' ').toStdString();
  }
  const Outcome csv = Kalibra({"list", "--format", "csv"}, dir.path());
  EXPECT_TRUE(
      csv.out.contains("\"1\",\"Entry\",\"p\",\"F (g1=xN)\",\"2\",\"true\",\"false\",\"2\""))
      << csv.out.toStdString();
}

// A catalog whose every entry has "Gruppen" 0 listed nothing and fitted nothing without a word.
TEST(KalibraList, EmptyResultsSayWhy) {
  QTemporaryDir dir;
  WriteFile(dir.filePath("Kalibra.bxm"),
            Packed({Entry("1").Gruppen("0").Alternativen("2").Par("p", "1").Fest("F", "g1=xN", "x"),
                    Entry("2").Gruppen("0").Par("a", "128")}));
  const Outcome list = Kalibra({"list"}, dir.path());
  EXPECT_EQ(list.exitCode, 0) << list.err.toStdString();
  EXPECT_TRUE(list.err.contains("nothing to list: of the catalog's 2 entries"))
      << list.err.toStdString();
  EXPECT_TRUE(list.err.contains("\"Gruppen\" bit in the mask 15")) << list.err.toStdString();
}

struct Werkzeugfall {
  const char* what;
  QStringList args;  // "%D" the scratch directory
  const char* out;   // where standard output goes, empty for a pipe
  const char* meldung;
};

// The catalog tool where its files are not what it expects: a clear error and exit 1, never an
// abort (an uncaught stream exception), an unbounded read or a ".part" file left behind.
TEST(KalibraCatalogTool, FailuresAreClearErrorsWithoutLeftovers) {
  const QString xml = VK_CATALOG_XML, bxm = VK_CATALOG_BXM;
  const Werkzeugfall faelle[] = {
      {"unpack a directory", {"unpack", "%D"}, "", "it is a directory"},
      {"pack a directory", {"pack", "%D", "%D/out.bxm"}, "", "it is a directory"},
      {"unpack /dev/zero", {"unpack", "/dev/zero"}, "", "too large for a catalog"},
      {"pack into a directory", {"pack", xml, "%D/sub"}, "", "cannot write"},
      {"pack into a device", {"pack", xml, "/dev/full"}, "", "not a regular file"},
      {"pack deep nesting", {"pack", "%D/deep.xml", "%D/out.bxm"}, "", "nested deeper"},
      {"unpack onto a full disk", {"unpack", bxm}, "/dev/full", "cannot write the output"},
  };
  for (const Werkzeugfall& f : faelle) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("sub");
    QByteArray tief;
    for (int i = 0; i < 200000; ++i) tief += "<a>";
    for (int i = 0; i < 200000; ++i) tief += "</a>";
    WriteFile(dir.filePath("deep.xml"), tief);
    QStringList args = f.args;
    args.replaceInStrings("%D", dir.path());
    QProcess p;
    if (*f.out != 0) p.setStandardOutputFile(f.out);
    p.start(VK_CATALOG_TOOL, args);
    ASSERT_TRUE(p.waitForFinished(60000)) << f.what;
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << f.what;
    EXPECT_EQ(p.exitCode(), 1) << f.what;
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(err.contains(f.meldung)) << f.what << ": " << err.toStdString();
    const QStringList reste = QDir(dir.path()).entryList({"*.part"}, QDir::Files);
    EXPECT_TRUE(reste.isEmpty()) << f.what;
    EXPECT_FALSE(QFile::exists("/dev/full.part"));
  }
  EXPECT_FALSE(QFileInfo("/dev/full").isFile()) << "the device was replaced";
}

TEST(KalibraList, MissingOrBrokenCatalogStopsWithStatus7) {
  QTemporaryDir dir;
  ASSERT_TRUE(QFile::copy(VK_KALIBRA_EXE, dir.filePath("kalibra")));
  QFile::setPermissions(dir.filePath("kalibra"), QFile::ReadOwner | QFile::ExeOwner);
  Outcome r = Kalibra({"list"}, dir.path(), dir.filePath("kalibra"));
  EXPECT_EQ(r.exitCode, 7);
  EXPECT_TRUE(r.err.contains("not found")) << r.err.toStdString();

  WriteFile(dir.filePath("Kalibra.bxm"), Packed({Entry("4")}).chopped(1));
  r = Kalibra({"list"}, dir.path(), dir.filePath("kalibra"));
  EXPECT_EQ(r.exitCode, 7);
  EXPECT_TRUE(r.err.contains("Kalibra.bxm")) << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty());
}

// A catalog the engine could not use is refused at loading, naming the entry, rather than ending
// fits with "Exception" or "No fit" later; so is one without any entry.
TEST(KalibraList, CatalogThatDoesNotMatchTheLibraryStopsWithStatus7) {
  const EntrySpec poisson = Entry("2").Par("a", "128");
  struct Case {
    const char* what;
    std::vector<EntrySpec> entries;
    const char* message;
  };
  const Case cases[] = {
      {"index without code", {poisson, Entry("100").Par("a", "128")}, "Index 100"},
      {"special model not flagged",
       {poisson, Entry("205")
                     .Automatik("false")
                     .Par("a0", "0")
                     .Par("a1", "0")
                     .Par("a2", "0")
                     .Par("b1", "0")
                     .Par("b2", "0")},
       "\"Spezial\" must be true"},
      {"special flag elsewhere", {Entry("2").Par("a", "128").Spezial("true")}, "only index 205"},
      {"parameters", {Entry("2")}, "parameters 0, where its code has 1"},
      {"empty", {}, "holds no distribution"},
  };
  for (const Case& c : cases) {
    QTemporaryDir dir;
    WriteFile(dir.filePath("Kalibra.bxm"), Packed(c.entries));
    const Outcome r = Kalibra({"list"}, dir.path());
    EXPECT_EQ(r.exitCode, 7) << c.what;
    EXPECT_TRUE(r.err.contains(c.message)) << c.what << ": " << r.err.toStdString();
  }
}

// A link in the current directory that cannot be followed is not silently replaced by the
// catalog beside the program: the user is told.
TEST(KalibraList, UnusableCatalogLinkIsReported) {
  QTemporaryDir dir;
  ASSERT_TRUE(QFile::link("Kalibra.bxm", dir.filePath("Kalibra.bxm")));  // a loop onto itself
  const Outcome r = Kalibra({"list"}, dir.path());
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("is a link that cannot be followed")) << r.err.toStdString();
}

}  // namespace
}  // namespace vk::test
