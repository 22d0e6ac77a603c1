// SPDX-License-Identifier: GPL-3.0-or-later
// Messages show what is wrong with a token even where it is invisible.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "core/DatenDatei.h"
#include "core/Sichtbar.h"

namespace vk {
namespace {

TEST(Sichtbar, InvisibleBytesAndCharactersAreEscaped) {
  const struct {
    std::string text, soll;
  } faelle[] = {
      {"109", "109"},
      {"\x7f"
       "109",
       "\\x7f109"},
      {std::string("1\0"
                   "2",
                   3),
       "1\\x002"},
      {"\t1", "\\x091"},
      {"\xc2\xa0"
       "109",
       "\\u00a0109"},  // no-break space
      {"\xef\xbb\xbf"
       "0",
       "\\ufeff0"},  // a second byte order mark
      {"1\xe2\x80\x8b"
       "0",
       "1\\u200b0"},                               // zero-width space
      {"\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9"},  // visible UTF-8 stays as it is
      {"latin\xff\xe9", "latin\\xff\\xe9"},        // not UTF-8
      {"\xc0\xaf", "\\xc0\\xaf"},                  // overlong
      {"\xed\xa0\x80", "\\xed\\xa0\\x80"},         // a surrogate
      {"\xe2\x82", "\\xe2\\x82"},                  // cut short
  };
  for (const auto& f : faelle) EXPECT_EQ(Sichtbar(f.text), f.soll) << f.soll;
}

TEST(Sichtbar, TheReaderNamesTheInvisibleByte) {
  const std::string datei = ::testing::TempDir() + "/sichtbar.dat";
  std::ofstream(datei, std::ios::binary) << "0 \x7f"
                                            "109\n1 2\n";
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  std::string detail;
  EXPECT_EQ(DateiLesen(datei, *d, e, detail), status::kException);
  EXPECT_NE(detail.find("'\\x7f109' is not a number"), std::string::npos) << detail;
}

}  // namespace
}  // namespace vk
