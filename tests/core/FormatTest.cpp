// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Format.h"

#include <gtest/gtest.h>

#include <clocale>

namespace vk {
namespace {

TEST(Format, FixedAndExactUseAPointWhateverTheLocale) {
  // A comma locale must not leak into results; not every machine has one, so try a few.
  const char* saved = std::setlocale(LC_NUMERIC, nullptr);
  const std::string restore = saved ? saved : "C";
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "C"}) {
    if (!std::setlocale(LC_NUMERIC, name)) continue;
    EXPECT_EQ(FormatFixed(3.14159, 4), "3.1416") << name;
    EXPECT_EQ(FormatFixed(-0.5, 2), "-0.50") << name;
    EXPECT_EQ(FormatFixed(12345.0, 0), "12345") << name;
    EXPECT_EQ(FormatExact(0.1), "0.1") << name;
  }
  std::setlocale(LC_NUMERIC, restore.c_str());
}

}  // namespace
}  // namespace vk
