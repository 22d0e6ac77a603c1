// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Status.h"

#include <array>
#include <string_view>

namespace vk {

namespace {
// The texts are shown to users and stored in result lists; they must not change.
constexpr std::array<std::string_view, status::kLast + 1> kMessages = {
    "OK",
    "Read error",
    "No data available",
    "Data not usable",
    "Too many classes",
    "Not enough classes",
    "Def X too large",
    "Error in distribution directory",
    "End of distribution directory",
    "Error in data",
    "End of data",
    "Abort",
    "Exception",
    "No fit",
    "No good fit possible",
    "Not enough degrees of freedom",
    "Skip/Abort by user",
    "Exception. Skip distribution",
    "Fit not possible",
};
}  // namespace

void StatusText(Status code, std::string& text) {
  if (code <= status::kLast) text = kMessages[code];
}

std::string StatusText(Status code) {
  std::string text;
  StatusText(code, text);
  return text;
}

}  // namespace vk
