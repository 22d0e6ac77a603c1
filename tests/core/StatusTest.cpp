// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Status.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(StatusText, MessagesThatUsersSeeAreExact) {
  struct Case {
    Status code;
    const char* text;
  };
  const Case cases[] = {{0, "OK"},
                        {2, "No data available"},
                        {9, "Error in data"},
                        {12, "Exception"},
                        {15, "Not enough degrees of freedom"},
                        {16, "Skip/Abort by user"},
                        {17, "Exception. Skip distribution"},
                        {18, "Fit not possible"}};
  for (const Case& c : cases) EXPECT_EQ(StatusText(c.code), c.text) << "code " << c.code;
}

TEST(StatusText, EveryCodeHasADistinctMessage) {
  for (Status a = 0; a <= status::kLast; ++a) {
    EXPECT_FALSE(StatusText(a).empty());
    for (Status b = a + 1; b <= status::kLast; ++b) EXPECT_NE(StatusText(a), StatusText(b));
  }
}

TEST(StatusText, UnknownCodeLeavesTheTextAlone) {
  std::string text;
  StatusText(19, text);
  EXPECT_EQ(text, "");
  text = "kept";
  StatusText(0xFFFFFFFFu, text);
  EXPECT_EQ(text, "kept");
}

}  // namespace
}  // namespace vk
