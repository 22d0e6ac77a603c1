// SPDX-License-Identifier: GPL-3.0-or-later
// Reading files that are not what they should be: every failure says where and what, and no
// file is read as other data than it holds. One fixture per quirk in tests/core/fixtures/.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/DatenDatei.h"

namespace vk {
namespace {

struct Fall {
  const char* datei;
  Status status;
  const char* detail;  // what the detail must contain
};

class BrokenFiles : public ::testing::TestWithParam<Fall> {};

TEST_P(BrokenFiles, FailWithTheLineAndWhatIsWrong) {
  const Fall& c = GetParam();
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  std::string detail;
  EXPECT_EQ(DateiLesen(std::string(VK_FIXTURE_DIR) + "/" + c.datei, *d, e, detail), c.status)
      << detail;
  EXPECT_NE(detail.find(c.detail), std::string::npos) << detail;
  EXPECT_FALSE(d->DatenGueltig);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, BrokenFiles,
    ::testing::Values(
        // A NUL is no separator: "6\0 5" is not the record (6, 5), and UTF-16 is not read as
        // every second byte.
        Fall{"nul-byte.dat", status::kException, "line 1: a NUL byte"},
        Fall{"utf16le.dat", status::kException, "line 1: the file is UTF-16 encoded"},
        Fall{"utf16be.dat", status::kException, "line 1: the file is UTF-16 encoded"},
        Fall{"utf32le.dat", status::kException, "line 1: the file is UTF-32 encoded"},
        Fall{"utf32be.dat", status::kException, "line 1: the file is UTF-32 encoded"},
        Fall{"broken-bom.dat", status::kException, "line 1: the file starts with an incomplete"},
        // Seven records and an empty eighth line: line 8 is to blame, not line 9.
        Fall{"trailing-blank-line.dat", status::kDataError, "line 8: white space after the last"},
        Fall{"repeated-x.dat", status::kDataError, "line 3: x must be greater"},
        Fall{"sum-overflow.dat", status::kException, "line 2: the frequencies add up to more"},
        Fall{"single-class.dat", status::kDataNotUsable, "the only class is x = 0"},
        Fall{"all-zero.dat", status::kDataNotUsable, "every frequency is 0"},
        Fall{"x-values-only.dat", status::kException,
             "line 1 holds no frequency, so the next number was read as its frequency"}),
    [](const auto& i) {
      std::string name = i.param.datei;
      for (char& ch : name)
        if (ch == '-' || ch == '.') ch = '_';
      return name;
    });

TEST(Reader, DirectoryIsNoDataFile) {
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  std::string detail;
  EXPECT_EQ(DateiLesen(VK_FIXTURE_DIR, *d, e, detail), status::kException);
  EXPECT_EQ(detail, "this is a directory, not a data file");
}

// Lines that end with a lone CR are lines: three records, not one.
TEST(Reader, CarriageReturnAloneEndsALine) {
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  std::string detail;
  ASSERT_EQ(DateiLesen(std::string(VK_FIXTURE_DIR) + "/cr-only.dat", *d, e, detail), status::kOk)
      << detail;
  ASSERT_EQ(d->Statistik.n, 2u);
  EXPECT_EQ(d->Haeufigkeiten[0], 5);
  EXPECT_EQ(d->Haeufigkeiten[1], 6);
  EXPECT_EQ(d->Haeufigkeiten[2], 7);
}

}  // namespace
}  // namespace vk
