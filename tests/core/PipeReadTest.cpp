// SPDX-License-Identifier: GPL-3.0-or-later
// Data that arrives in pieces (a pipe, a FIFO) is read exactly as the same bytes in a file, and
// a read that waits for a writer ends when it is cancelled.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/DatenDatei.h"

namespace vk {
namespace {

std::string Temporaer(const char* name) {
  return (std::string(::testing::TempDir()) + "/" + name + "-" + std::to_string(::getpid()));
}

struct Stuecke {
  const char* name;
  std::vector<std::string> teile;  // written one after the other, with a pause between
};

class PiecesTest : public ::testing::TestWithParam<Stuecke> {};

// The classes a read of `pfad` gives, as "x:f" pairs.
std::string Klassen(const std::string& pfad, Status& st) {
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  std::string detail;
  st = DateiLesen(pfad, *d, e, detail);
  std::string s;
  if (st != status::kOk) return detail;
  for (std::uint32_t i = 0; i <= d->Statistik.n; ++i)
    s += std::to_string(d->XWerte[i]) + ":" + std::to_string(d->Haeufigkeiten[i]) + " ";
  return s;
}

TEST_P(PiecesTest, AFifoReadsAsTheFileOfTheSameBytes) {
  const Stuecke& c = GetParam();
  std::string ganz;
  for (const std::string& t : c.teile) ganz += t;
  const std::string datei = Temporaer("ganz.dat");
  std::ofstream(datei, std::ios::binary) << ganz;
  Status erwartet = status::kOk;
  const std::string soll = Klassen(datei, erwartet);

  const std::string fifo = Temporaer("stuecke.fifo");
  ::unlink(fifo.c_str());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::thread schreiber([&] {
    std::FILE* f = std::fopen(fifo.c_str(), "wb");
    for (const std::string& t : c.teile) {
      std::fwrite(t.data(), 1, t.size(), f);
      std::fflush(f);
      std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }
    std::fclose(f);
  });
  Status st = status::kOk;
  const std::string ist = Klassen(fifo, st);
  schreiber.join();
  EXPECT_EQ(st, erwartet);
  EXPECT_EQ(ist, soll);
  ::unlink(fifo.c_str());
  ::unlink(datei.c_str());
}

// The horse-kick table shifted to x = 10..14 once read x = 0..14 when "1" came alone; a byte
// order mark or a UTF-16 mark cut in two must still be told apart.
INSTANTIATE_TEST_SUITE_P(
    Reader, PiecesTest,
    ::testing::Values(Stuecke{"OneByteThenTheRest", {"1", "0 109\n11 65\n12 22\n13 3\n14 1\n"}},
                      Stuecke{"ByteByByte", {"1", "0", " ", "5\n", "11 7\n"}},
                      Stuecke{"BomInPieces", {"\xEF", "\xBB\xBF", "0 3\n1 4\n"}},
                      Stuecke{"Utf16MarkInPieces", {"\xFF", "\xFE", "0\0 \0"}},
                      Stuecke{"ThreeBytesOnly", {"1 ", "2"}}),
    [](const auto& p) { return std::string(p.param.name); });

std::atomic<bool> gAbbrechen{false};
bool Abbrechen() {
  return gAbbrechen.load();
}

TEST(Reader, AFifoWithoutWriterWaitsUntilCancelled) {
  const std::string fifo = Temporaer("ohne-schreiber.fifo");
  ::unlink(fifo.c_str());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  gAbbrechen = false;
  std::thread ctrlC([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    gAbbrechen = true;
  });
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  std::string detail;
  EXPECT_EQ(DateiLesen(fifo, *d, e, detail, Abbrechen), status::kAbort);
  ctrlC.join();
  EXPECT_NE(detail.find("cancelled"), std::string::npos) << detail;
  EXPECT_FALSE(d->DatenGueltig);
  ::unlink(fifo.c_str());
}

// A read that fails half way says so instead of blaming the statistics.
TEST(Reader, AReadErrorSaysWhatHappened) {
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  std::string detail;
  // Reading one's own memory from offset 0 fails with EIO: the first page is never mapped.
  EXPECT_EQ(DateiLesen("/proc/self/mem", *d, e, detail), status::kException);
  EXPECT_NE(detail.find("could not be read"), std::string::npos) << detail;
  EXPECT_EQ(detail.find("two classes"), std::string::npos) << detail;
}

}  // namespace
}  // namespace vk

namespace vk {
namespace {

struct Statistikfall {
  const char* name;
  const char* inhalt;
  const char* grund;  // what the detail must say
};

class StatisticsFault : public ::testing::TestWithParam<Statistikfall> {};

// Every fault of the statistics once read "they need at least two classes with a frequency above
// 0", whatever had happened.
TEST_P(StatisticsFault, SaysWhatHappened) {
  const Statistikfall& c = GetParam();
  const std::string datei = Temporaer(c.name);
  std::ofstream(datei, std::ios::binary) << c.inhalt;
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  std::string detail;
  EXPECT_EQ(DateiLesen(datei, *d, e, detail), status::kException);
  EXPECT_NE(detail.find(c.grund), std::string::npos) << detail;
  ::unlink(datei.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Reader, StatisticsFault,
    ::testing::Values(
        Statistikfall{"OneClass", "5 10\n", "at least two classes"},
        Statistikfall{"Overflow", "0 1e200\n1 1e200\n2 1e200\n3 1e200\n", "not below 2^63"},
        Statistikfall{"NAt2To63", "0 9223372036854775808\n1 1\n", "not below 2^63"},
        Statistikfall{"Subnormal", "0 1e-320\n1 1\n2 1e-320\n", "is too small to divide by"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace vk
