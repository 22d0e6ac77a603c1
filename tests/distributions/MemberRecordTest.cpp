// SPDX-License-Identifier: GPL-3.0-or-later
// The facts in each member's record against the published rules they come from.
#include <gtest/gtest.h>

#include <initializer_list>

#include "distributions/Registry.h"

namespace vk {
namespace {

// The support rule of every distribution index, as the fitting rules list it; every other index
// takes any data. 113 to 116 are not in it: their lower bound is the data's first value, which
// may be 0 (then they are the untruncated distribution), so they take any data.
Traeger TabellenTraeger(std::uint32_t nummer) {
  const struct {
    Traeger traeger;
    std::initializer_list<std::uint32_t> nummern;
  } kTabelle[] = {
      {Traeger::kEins,
       {10, 17, 21, 22,  25,  32,  35,  36,  46,  47,  49,  51,  53,  55,  59,  62,  63,  64, 81,
        86, 87, 92, 100, 110, 134, 137, 139, 144, 150, 161, 167, 178, 179, 182, 191, 202, 203}},
      {Traeger::kNichtNull, {11, 13, 23, 30, 43, 66, 67, 82, 163, 193}},
      {Traeger::kUeberEins, {24, 60}},
      {Traeger::kNull, {31, 58, 84, 147, 152, 153, 173}},
      {Traeger::kNullMitLuecke, {112}},
  };
  for (const auto& zeile : kTabelle)
    for (std::uint32_t n : zeile.nummern)
      if (n == nummer) return zeile.traeger;
  return Traeger::kImmer;
}

TEST(MemberRecord, SupportRuleIsThePublishedOne) {
  for (const Member* m : Mitglieder())
    EXPECT_EQ(m->traeger, TabellenTraeger(m->nummer)) << "member " << m->nummer;
}

// The tail rule is checked against what the member computes in AllMembersTest; here, that the
// rows which give the last class without an absolute value, or none at all, say so.
TEST(MemberRecord, TailRuleOfTheRowsThatDiffer) {
  const struct {
    std::uint32_t nummer;
    Restregel rest;
  } kFaelle[] = {{0, Restregel::kBetrag},      {2, Restregel::kOhneBetrag},
                 {12, Restregel::kKeine},      {13, Restregel::kKeine},
                 {14, Restregel::kOhneBetrag}, {28, Restregel::kOhneBetrag},
                 {52, Restregel::kKeine},      {55, Restregel::kKeine},
                 {87, Restregel::kKeine},      {93, Restregel::kKeine}};
  for (const auto& c : kFaelle) {
    const Member* m = MitgliedSuchen(c.nummer);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->rest, c.rest) << "member " << c.nummer;
  }
}

}  // namespace
}  // namespace vk
