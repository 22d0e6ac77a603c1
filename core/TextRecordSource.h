// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <istream>
#include <stdexcept>
#include <string>

#include "core/DatenLesen.h"

namespace vk {

// A token of the input file that is not a number; DatenLesen turns it into status 12.
class MalformedNumber : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The record source over an input data file: per line an integer x and a real f separated by
// white space; the rest of the line is ignored, line ends count as white space while a number
// is sought, and a number missing at the end of the file reads as 0.
class TextRecordSource final : public RecordSource {
 public:
  explicit TextRecordSource(std::istream& in);
  Status Next(Record& out, std::uint32_t& counter) override;

  // Line of the record read last (1-based), and what was wrong with it, for error messages.
  [[nodiscard]] std::uint64_t Line() const { return recordLine_; }
  [[nodiscard]] const std::string& Error() const { return error_; }

 private:
  int Peek();
  int Get();
  void SkipWhiteSpace();
  std::string Token(std::size_t maxLength, const char* what);
  std::uint32_t ReadInteger();
  double ReadReal();
  void SkipLine();
  Status ReadRecord(Record& out, std::uint32_t& counter);

  std::streambuf* buf_;
  std::uint64_t line_ = 1;
  std::uint64_t recordLine_ = 0;
  bool firstRead_ = true;
  std::string error_;
};

}  // namespace vk
