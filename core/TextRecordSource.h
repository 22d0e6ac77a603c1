// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
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

// The number rules of a data file, for every reader of records (a data file, a long table):
// - an x is [+-] digits; a negative value or one beyond 32 bits maps to the largest x, so that
//   the reader reports "Def X too large" instead of wrapping it into the valid range;
// - a frequency is [+-] (digits [. digits] | . digits) [(e|E) [+-] digits], "." the only decimal
//   separator whatever the locale; below the smallest double it reads as 0.
// Both throw MalformedNumber with the token named.
std::uint32_t ParseInteger(const std::string& token);
double ParseReal(const std::string& token);

// The record source over an input data file: per line an integer x and a real f separated by
// white space; the rest of the line is ignored, line ends count as white space while a number
// is sought, and a number missing at the end of the file reads as 0. A line ends with LF, CR LF
// or a lone CR. A NUL byte, and a file that starts with a UTF-16 or UTF-32 byte order mark, are
// not plain text and are refused with the line named.
class TextRecordSource final : public RecordSource {
 public:
  explicit TextRecordSource(std::istream& in);
  Status Next(Record& out, std::uint32_t& counter) override;

  // Line of the record read last (1-based), and what was wrong with it, for error messages.
  [[nodiscard]] std::uint64_t Line() const { return recordLine_; }
  [[nodiscard]] const std::string& Error() const { return error_; }
  // The first line whose frequency was missing, so that the next line's first number (or the
  // 0 at the end of the file) stood in for it; 0 when every record had its own. A read that
  // fails later mentions it: a file of x values only reads as quite different data.
  [[nodiscard]] std::uint64_t LineWithoutFrequency() const { return lineWithoutFrequency_; }
  // Whether the record read last was white space after the last record, read as x = 0.
  [[nodiscard]] bool TrailingWhiteSpace() const { return trailingWhiteSpace_; }
  // The line on which the running sum of the frequencies left the range of a double, or 0.
  [[nodiscard]] std::uint64_t SumOverflowLine() const { return sumOverflowLine_; }

 private:
  int Peek();
  int Get();
  void SkipWhiteSpace();
  std::string Token(std::size_t maxLength, const char* what);
  void CheckEncoding();
  [[noreturn]] void Fail(const std::string& what);
  std::uint32_t ReadInteger();
  double ReadReal();
  void SkipLine();
  Status ReadRecord(Record& out, std::uint32_t& counter);

  std::streambuf* buf_;
  std::uint64_t line_ = 1;
  std::uint64_t recordLine_ = 0;
  std::uint64_t lineWithoutFrequency_ = 0;
  std::uint64_t sumOverflowLine_ = 0;
  long double sum_ = 0;
  bool trailingWhiteSpace_ = false;
  bool firstRead_ = true;
  bool pendingCarriageReturn_ = false;
  // A file buffer asks the system again each time it is read at its end; the end is final.
  bool ende_ = false;
  // The first four bytes, read ahead for the encoding check and handed out before the stream.
  char kopf_[4] = {};
  int kopfPos_ = 0;
  int kopfLen_ = 0;
  std::string error_;
};

}  // namespace vk
