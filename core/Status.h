// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace vk {

// Every reader, catalog and engine operation answers with one of these; 0 is success.
using Status = std::uint32_t;

namespace status {
inline constexpr Status kOk = 0;
inline constexpr Status kReadError = 1;  // reserved, never returned
inline constexpr Status kNoData = 2;
inline constexpr Status kDataNotUsable = 3;
inline constexpr Status kTooManyClasses = 4;
inline constexpr Status kNotEnoughClasses = 5;
inline constexpr Status kDefXTooLarge = 6;
inline constexpr Status kDirectoryError = 7;
inline constexpr Status kDirectoryEnd = 8;
inline constexpr Status kDataError = 9;
inline constexpr Status kEndOfData = 10;
inline constexpr Status kAbort = 11;
inline constexpr Status kException = 12;
inline constexpr Status kNoFit = 13;
inline constexpr Status kNoGoodFit = 14;
inline constexpr Status kNotEnoughDf = 15;
inline constexpr Status kSkipAbortByUser = 16;
inline constexpr Status kExceptionSkip = 17;
inline constexpr Status kFitNotPossible = 18;
inline constexpr Status kLast = kFitNotPossible;
}  // namespace status

// Assigns the message of `code` to `text`; an unknown code leaves `text` as it is.
void StatusText(Status code, std::string& text);

// Convenience form: the message, or an empty string for an unknown code.
std::string StatusText(Status code);

}  // namespace vk
