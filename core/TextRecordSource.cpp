// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TextRecordSource.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "core/Sichtbar.h"

namespace vk {

namespace {

constexpr int kEof = std::char_traits<char>::eof();
constexpr std::size_t kIntegerTokenLength = 32;
constexpr std::size_t kRealTokenLength = 64;

bool IsSeparator(int c) {
  return c != kEof && static_cast<unsigned char>(c) <= 32;
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}


}  // namespace

std::uint32_t ParseInteger(const std::string& token) {
  std::size_t i = 0;
  bool negative = false;
  if (token[i] == '+' || token[i] == '-') negative = token[i++] == '-';
  if (i == token.size()) throw MalformedNumber("'" + Sichtbar(token) + "' is not an integer");
  std::uint64_t value = 0;
  bool tooLarge = false;
  for (; i < token.size(); ++i) {
    if (!IsDigit(token[i])) throw MalformedNumber("'" + Sichtbar(token) + "' is not an integer");
    value = value * 10 + static_cast<std::uint64_t>(token[i] - '0');
    if (value > std::numeric_limits<std::uint32_t>::max()) tooLarge = true, value = 0;
  }
  if (tooLarge || (negative && value != 0)) return std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(value);
}

// [+-] (digits [. digits] | . digits) [(e|E) [+-] digits], "." as the only decimal separator,
// whatever the process locale.
double ParseReal(const std::string& token) {
  const auto fail = [&] { return MalformedNumber("'" + Sichtbar(token) + "' is not a number"); };
  std::size_t i = 0;
  if (token[i] == '+' || token[i] == '-') ++i;
  const std::size_t mantissaStart = i;
  std::size_t digits = 0;
  while (i < token.size() && IsDigit(token[i])) ++i, ++digits;
  if (i < token.size() && token[i] == '.') {
    ++i;
    while (i < token.size() && IsDigit(token[i])) ++i, ++digits;
  }
  if (digits == 0) throw fail();
  bool negativeExponent = false;
  if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
    ++i;
    if (i < token.size() && (token[i] == '+' || token[i] == '-'))
      negativeExponent = token[i++] == '-';
    std::size_t expDigits = 0;
    while (i < token.size() && IsDigit(token[i])) ++i, ++expDigits;
    if (expDigits == 0) throw fail();
  }
  if (i != token.size()) throw fail();

  double value = 0;
  const char* first = token.data() + mantissaStart;
  const char* last = token.data() + token.size();
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Without an exponent 64 characters cannot leave the range; with one, a negative exponent
    // means the value is below the smallest Double and reads as 0.
    if (!negativeExponent)
      throw MalformedNumber("'" + Sichtbar(token) + "' is too large for a number");
    value = 0;
  } else if (ec != std::errc() || ptr != last) {
    throw fail();
  }
  return token[0] == '-' ? -value : value;
}

TextRecordSource::TextRecordSource(std::istream& in) : buf_(in.rdbuf()) {}

int TextRecordSource::Peek() {
  if (kopfPos_ < kopfLen_) return static_cast<unsigned char>(kopf_[kopfPos_]);
  if (ende_ || !buf_) return kEof;
  const int c = buf_->sgetc();
  ende_ = c == kEof;
  return c;
}

int TextRecordSource::Get() {
  int c = kEof;
  if (kopfPos_ < kopfLen_) {
    c = static_cast<unsigned char>(kopf_[kopfPos_++]);
  } else {
    if (ende_ || !buf_) return kEof;
    c = buf_->sbumpc();
    ende_ = c == kEof;
  }
  // A lone CR ends a line as LF does; the CR of a CR LF pair leaves that to its LF.
  if (c == '\n' && !pendingCarriageReturn_) ++line_;
  pendingCarriageReturn_ = false;
  if (c == '\r') {
    ++line_;
    pendingCarriageReturn_ = Peek() == '\n';
  }
  return c;
}

void TextRecordSource::Fail(const std::string& what) {
  recordLine_ = line_;
  throw MalformedNumber(what);
}

void TextRecordSource::SkipWhiteSpace() {
  while (IsSeparator(Peek())) {
    if (Peek() == 0) Fail("a NUL byte: the file is not plain text");
    Get();
  }
}

std::string TextRecordSource::Token(std::size_t maxLength, const char* what) {
  std::string token;
  while (Peek() != kEof && !IsSeparator(Peek())) {
    if (token.size() == maxLength) {
      throw MalformedNumber(std::string(what) + " longer than " + std::to_string(maxLength) +
                            " characters");
    }
    token.push_back(static_cast<char>(Get()));
  }
  return token;
}

std::uint32_t TextRecordSource::ReadInteger() {
  SkipWhiteSpace();
  const std::string token = Token(kIntegerTokenLength, "x value");
  return token.empty() ? 0 : ParseInteger(token);  // the end of the file reads as 0
}

double TextRecordSource::ReadReal() {
  SkipWhiteSpace();
  const std::string token = Token(kRealTokenLength, "frequency");
  return token.empty() ? 0 : ParseReal(token);
}

void TextRecordSource::SkipLine() {
  const std::uint64_t line = line_;
  while (Peek() != kEof && line_ == line) {
    if (Peek() == 0) Fail("a NUL byte: the file is not plain text");
    Get();
  }
  if (pendingCarriageReturn_) Get();  // the LF of a CR LF pair belongs to the line it ends
}

// Text in another encoding than ASCII or UTF-8 would be read as quite different data (every
// second byte of UTF-16 is NUL); its byte order mark names it.
void TextRecordSource::CheckEncoding() {
  if (!buf_) return;
  // The first bytes are kept here and read from here, never put back into the stream: a pipe,
  // a FIFO or a terminal may deliver them in several reads, and a stream cannot always take
  // back what an earlier read gave.
  while (kopfLen_ < static_cast<int>(sizeof kopf_)) {
    const int c = buf_->sbumpc();
    if (c == kEof) {
      ende_ = true;
      break;
    }
    kopf_[kopfLen_++] = static_cast<char>(c);
  }
  const int n = kopfLen_;
  const char* kopf = kopf_;
  const auto b = [&](int i) { return i < n ? static_cast<unsigned char>(kopf[i]) : 0x100u; };
  const char* kodierung = nullptr;
  if (b(0) == 0x00 && b(1) == 0x00 && b(2) == 0xFE && b(3) == 0xFF)
    kodierung = "UTF-32";
  else if (b(0) == 0xFF && b(1) == 0xFE && b(2) == 0x00 && b(3) == 0x00)
    kodierung = "UTF-32";
  else if ((b(0) == 0xFF && b(1) == 0xFE) || (b(0) == 0xFE && b(1) == 0xFF))
    kodierung = "UTF-16";
  if (kodierung != nullptr) {
    Fail(std::string("the file is ") + kodierung +
         " encoded, which is not supported: save it as plain text (ASCII or UTF-8)");
  }
}

Status TextRecordSource::Next(Record& out, std::uint32_t& counter) {
  try {
    return ReadRecord(out, counter);
  } catch (const MalformedNumber& e) {
    error_ = e.what();
    throw;
  }
}

Status TextRecordSource::ReadRecord(Record& out, std::uint32_t& counter) {
  if (firstRead_) {
    firstRead_ = false;
    // Editors on Windows like to start a text file with a UTF-8 byte order mark; it is not data.
    CheckEncoding();
    static constexpr unsigned char kBom[] = {0xEF, 0xBB, 0xBF};
    if (Peek() == kBom[0]) {
      std::size_t matched = 0;
      while (matched < 3 && Peek() == kBom[matched]) Get(), ++matched;
      if (matched != 3) Fail("the file starts with an incomplete byte order mark, not a number");
    }
    // A file of nothing but white space holds no record.
    SkipWhiteSpace();
  }
  if (Peek() == kEof) return status::kEndOfData;
  const std::uint64_t start = line_;
  SkipWhiteSpace();
  // White space after the last record still reads as a record (x = 0); it is that line the
  // message names, not the one after it.
  trailingWhiteSpace_ = Peek() == kEof;
  recordLine_ = trailingWhiteSpace_ ? start : line_;
  out.x = ReadInteger();
  const std::uint64_t xLine = line_;
  SkipWhiteSpace();
  const bool eigeneHaeufigkeit = Peek() != kEof && line_ == xLine;
  out.f = ReadReal();
  if (!eigeneHaeufigkeit && !trailingWhiteSpace_ && lineWithoutFrequency_ == 0)
    lineWithoutFrequency_ = xLine;
  SkipLine();
  sum_ += out.f;
  if (sumOverflowLine_ == 0 && sum_ > std::numeric_limits<double>::max())
    sumOverflowLine_ = recordLine_;
  if (counter != 0 && out.x == 0) return status::kDataError;
  ++counter;
  return status::kOk;
}

}  // namespace vk
