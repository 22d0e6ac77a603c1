// SPDX-License-Identifier: GPL-3.0-or-later
// Where the catalog file is looked for, and that a failed load keeps nothing of the file.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "catalog/VerzeichnisLaden.h"
#include "tests/catalog/CatalogFixtures.h"

namespace vk::test {
namespace {

namespace fs = std::filesystem;

void WriteCatalog(const fs::path& dir, const std::string& index) {
  std::vector<std::uint8_t> file;
  std::string error;
  ASSERT_TRUE(
      WriteCatalogFile(ParseOrFail(CatalogXml({Entry(index)})), DefaultCatalogKey(), file, error))
      << error;
  std::ofstream out(dir / kKatalogDateiname, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

// Runs in a fresh current directory and a fresh program directory, and restores the current
// directory afterwards.
class Suchpfad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cwd_.isValid() && exe_.isValid());
    saved_ = fs::current_path();
    fs::current_path(Cwd());
  }
  void TearDown() override { fs::current_path(saved_); }
  fs::path Cwd() const { return cwd_.path().toStdString(); }
  fs::path Exe() const { return exe_.path().toStdString(); }

  // The single index the loaded catalog holds, or -1 after a failure.
  int LoadedIndex(std::string& meldung) {
    Verteilungsverzeichnis v;
    if (VerzeichnisLaden(Exe(), v, meldung) != status::kOk) return -1;
    const auto e = v.ErsteVerteilung(kMaskeAlle);
    return e ? static_cast<int>(e->index) : -2;
  }

 private:
  QTemporaryDir cwd_;
  QTemporaryDir exe_;
  fs::path saved_;
};

TEST_F(Suchpfad, CurrentDirectoryComesFirst) {
  WriteCatalog(Cwd(), "7");
  WriteCatalog(Exe(), "8");
  std::string meldung;
  EXPECT_EQ(LoadedIndex(meldung), 7) << meldung;
}

TEST_F(Suchpfad, ProgramDirectoryWhenTheCurrentOneHasNone) {
  WriteCatalog(Exe(), "8");
  std::string meldung;
  EXPECT_EQ(LoadedIndex(meldung), 8) << meldung;
}

TEST_F(Suchpfad, NeitherDirectoryNamesBoth) {
  std::string meldung;
  EXPECT_EQ(LoadedIndex(meldung), -1);
  EXPECT_NE(meldung.find("not found"), std::string::npos) << meldung;
  EXPECT_NE(meldung.find(Exe().string()), std::string::npos) << meldung;
}

// An installed tree: the program in <prefix>/bin, the catalog in <prefix>/share/vostra-kalibra.
TEST_F(Suchpfad, InstalledTreeComesAfterTheCurrentAndTheProgramDirectory) {
  struct Fall {
    const char* cwd;
    const char* bin;
    const char* share;
    int expected;
  };
  const fs::path bin = Exe() / "bin";
  const fs::path share = Exe() / "share" / "vostra-kalibra";
  for (const Fall& f : {Fall{nullptr, nullptr, "9", 9}, Fall{nullptr, "8", "9", 8},
                        Fall{"7", nullptr, "9", 7}, Fall{nullptr, nullptr, nullptr, -1}}) {
    SCOPED_TRACE(::testing::Message() << f.cwd << " " << f.bin << " " << f.share);
    for (const fs::path& d : {Cwd(), bin, share}) {
      fs::create_directories(d);
      fs::remove(d / kKatalogDateiname);
    }
    if (f.cwd) WriteCatalog(Cwd(), f.cwd);
    if (f.bin) WriteCatalog(bin, f.bin);
    if (f.share) WriteCatalog(share, f.share);
    Verteilungsverzeichnis v;
    std::string meldung;
    const Status st = VerzeichnisLaden(bin, v, meldung);
    if (f.expected < 0) {
      EXPECT_EQ(st, status::kDirectoryError);
      EXPECT_NE(meldung.find(share.string()), std::string::npos) << meldung;
      continue;
    }
    ASSERT_EQ(st, status::kOk) << meldung;
    const auto e = v.ErsteVerteilung(kMaskeAlle);
    ASSERT_TRUE(e);
    EXPECT_EQ(static_cast<int>(e->index), f.expected);
  }
}

TEST_F(Suchpfad, ABrokenFileInTheCurrentDirectoryIsAnErrorNotASkip) {
  WriteCatalog(Exe(), "8");
  std::ofstream(Cwd() / kKatalogDateiname) << "not a catalog at all, but long enough to be read"
                                              " as one by the frame check of its length field";
  std::string meldung;
  EXPECT_EQ(LoadedIndex(meldung), -1);
  EXPECT_NE(meldung.find((Cwd() / kKatalogDateiname).string()), std::string::npos) << meldung;
  EXPECT_NE(meldung.find("wrong magic"), std::string::npos) << meldung;
}

TEST_F(Suchpfad, UnreadableFileIsReported) {
  fs::create_directory(Cwd() / kKatalogDateiname);
  std::string meldung;
  EXPECT_EQ(LoadedIndex(meldung), -1);
  EXPECT_NE(meldung.find("cannot read"), std::string::npos) << meldung;
}

TEST_F(Suchpfad, FailedLoadKeepsThePreviousTable) {
  WriteCatalog(Exe(), "8");
  Verteilungsverzeichnis v;
  std::string meldung;
  ASSERT_EQ(VerzeichnisLaden(Exe(), v, meldung), status::kOk) << meldung;
  std::ofstream(Exe() / kKatalogDateiname, std::ios::app) << "x";
  EXPECT_EQ(VerzeichnisLaden(Exe(), v, meldung), status::kDirectoryError);
  EXPECT_TRUE(v.VerteilungHolen(8));
  EXPECT_EQ(v.VerteilungenZaehlen().verteilungen, 1u);
}

}  // namespace
}  // namespace vk::test
