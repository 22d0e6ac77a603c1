// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/DatenLesen.h"
#include "core/TextRecordSource.h"

namespace vk {
namespace {

struct ReadResult {
  Status status;
  std::unique_ptr<TDatensatz> daten;
  TDateneigenschaften eigenschaften;
};

ReadResult Read(const std::string& text) {
  ReadResult r{0, std::make_unique<TDatensatz>(), {}};
  std::istringstream in(text);
  TextRecordSource quelle(in);
  r.status = DatenLesen(*r.daten, quelle, r.eigenschaften);
  return r;
}

std::vector<std::uint32_t> Xs(const TDatensatz& d) {
  return {d.XWerte.begin(), d.XWerte.begin() + d.Statistik.n + 1};
}
std::vector<double> Fs(const TDatensatz& d) {
  return {d.Haeufigkeiten.begin(), d.Haeufigkeiten.begin() + d.Statistik.n + 1};
}

struct TokenCase {
  const char* name;
  const char* text;
  std::vector<std::uint32_t> x;
  std::vector<double> f;
};

class TokenRules : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenRules, ReadsClasses) {
  const TokenCase& c = GetParam();
  const ReadResult r = Read(c.text);
  ASSERT_EQ(r.status, status::kOk) << StatusText(r.status);
  EXPECT_TRUE(r.daten->DatenGueltig);
  EXPECT_EQ(Xs(*r.daten), c.x);
  EXPECT_EQ(Fs(*r.daten), c.f);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, TokenRules,
    ::testing::Values(
        TokenCase{"GapsFilled", "0 5\n1 3\n4 1\n", {0, 1, 2, 3, 4}, {5, 3, 0, 0, 1}},
        TokenCase{"FirstXNotZero", "3 2\n4 7\n", {3, 4}, {2, 7}},
        TokenCase{"FractionalAndExponent",
                  "1 4.5\n2 1e1\n3 2.5E-1\n4 +.5\n",
                  {1, 2, 3, 4},
                  {4.5, 10, 0.25, 0.5}},
        TokenCase{"TrailingTextIgnored", "1 2 words here\n3 10 apples\n", {1, 2, 3}, {2, 0, 10}},
        TokenCase{"TabsAndCarriageReturns", "\t1\t2\r\n2  3\r\n", {1, 2}, {2, 3}},
        TokenCase{"NoNewlineAtEnd", "1 2\n2 3", {1, 2}, {2, 3}},
        TokenCase{"XAloneTakesNextLinesFirstNumber", "1\n2 99\n3 4\n", {1, 2, 3}, {2, 0, 4}},
        TokenCase{"MissingFrequencyAtEndReadsAsZero", "1 2\n2 3\n3", {1, 2, 3}, {2, 3, 0}},
        TokenCase{"LeadingBlankLines", "\n\n  1 2\n2 3\n", {1, 2}, {2, 3}},
        TokenCase{"ByteOrderMark",
                  "\xEF\xBB\xBF"
                  "1 2\n2 3\n",
                  {1, 2},
                  {2, 3}},
        TokenCase{"PlusSignOnX", "+1 2\n+2 3\n", {1, 2}, {2, 3}},
        TokenCase{"NegativeZeroX", "-0 1\n1 3\n", {0, 1}, {1, 3}}),
    [](const auto& tp) { return std::string(tp.param.name); });

struct StatusCase {
  const char* name;
  std::string text;
  Status expected;
};

class StatusRules : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusRules, RejectsWithStatus) {
  const StatusCase& c = GetParam();
  const ReadResult r = Read(c.text);
  EXPECT_EQ(r.status, c.expected) << StatusText(r.status);
  EXPECT_FALSE(r.daten->DatenGueltig);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, StatusRules,
    ::testing::Values(
        StatusCase{"EmptyFile", "", status::kNoData},
        StatusCase{"OnlyWhiteSpace", "  \n\t\n", status::kNoData},
        StatusCase{"SingleClassXZero", "0 7\n", status::kDataNotUsable},
        StatusCase{"ZeroSum", "0 0\n1 0\n", status::kDataNotUsable},
        StatusCase{"XZeroLater", "1 2\n0 3\n", status::kDataError},
        StatusCase{"TrailingWhiteSpaceLine", "1 2\n2 3\n   \n", status::kDataError},
        StatusCase{"RepeatedX", "1 2\n1 3\n", status::kDataError},
        StatusCase{"DescendingX", "1 2\n5 3\n4 1\n", status::kDataError},
        StatusCase{"XAboveLimit", "1 2\n20001 1\n", status::kDefXTooLarge},
        StatusCase{"NegativeX", "-1 2\n", status::kDefXTooLarge},
        StatusCase{"XBeyond32BitsDoesNotWrap", "4294967297 2\n", status::kDefXTooLarge},
        StatusCase{"MalformedX", "1 2\nabc 3\n", status::kException},
        StatusCase{"MalformedFrequency", "1 2\n2 3,5\n", status::kException},
        StatusCase{"HexIsNotANumber", "1 0x10\n", status::kException},
        StatusCase{"InfinityIsNotANumber", "1 inf\n", status::kException},
        StatusCase{"ExponentWithoutDigits", "1 2e\n", status::kException},
        StatusCase{"FrequencyOutOfRange", "1 1e999\n", status::kException},
        StatusCase{"SumOverflows", "1 1e308\n2 1e308\n", status::kException},
        StatusCase{"XTokenTooLong", std::string(33, '1') + " 2\n", status::kException},
        StatusCase{"FrequencyTokenTooLong", "1 " + std::string(65, '1') + "\n", status::kException},
        StatusCase{"ZeroVariance", "5 10\n", status::kException},
        StatusCase{"ZeroMean", "0 5\n1 0\n", status::kException}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(Reader, LongestTokensAreAccepted) {
  const std::string x = "+" + std::string(29, '0') + "01";  // 32 characters
  const std::string f = std::string(62, '0') + "25";        // 64 characters
  const ReadResult r = Read(x + " " + f + "\n2 1\n");
  ASSERT_EQ(r.status, status::kOk);
  EXPECT_EQ(Xs(*r.daten), (std::vector<std::uint32_t>{1, 2}));
  EXPECT_EQ(Fs(*r.daten), (std::vector<double>{25, 1}));
}

TEST(Reader, TinyFrequencyUnderflowsToZero) {
  const ReadResult r = Read("1 1e-999\n2 1\n3 1\n");
  ASSERT_EQ(r.status, status::kOk);
  EXPECT_EQ(r.daten->Haeufigkeiten[0], 0.0);
}

std::string Classes(std::uint32_t first, std::uint32_t last) {
  std::string text;
  for (std::uint32_t x = first; x <= last; ++x) text += std::to_string(x) + " 1\n";
  return text;
}

TEST(ReaderLimits, ExactlyTheLargestDataSet) {
  const std::string full = Classes(0, 20000);
  const ReadResult r = Read(full);
  ASSERT_EQ(r.status, status::kOk);
  EXPECT_EQ(r.daten->Statistik.n, 20000u);
  EXPECT_EQ(r.daten->XWerte[20000], 20000u);
  EXPECT_EQ(r.daten->Statistik.summe, 20001.0);

  EXPECT_EQ(Read(full + "20001 1\n").status, status::kTooManyClasses);
  // A line that reads as x = 0 ends the full data set instead of overflowing it.
  const ReadResult trailing = Read(full + "   \n");
  EXPECT_EQ(trailing.status, status::kOk);
  EXPECT_EQ(trailing.daten->Statistik.n, 20000u);
  EXPECT_EQ(Read(full + "0 4\n").status, status::kOk);
}

TEST(ReaderLimits, GapFillingReachesTheLastClassExactly) {
  const ReadResult r = Read("0 1\n20000 1\n");
  ASSERT_EQ(r.status, status::kOk);
  EXPECT_EQ(r.daten->Statistik.n, 20000u);
  EXPECT_EQ(r.daten->Haeufigkeiten[19999], 0.0);
  // The gap fill stored all 20001 classes, so the next record is one too many.
  EXPECT_EQ(Read("0 1\n20000 1\n20001 1\n").status, status::kTooManyClasses);
}

TEST(ReaderLimits, XAboveTheLimitWhileClassesRemain) {
  // x = 1..20000 are only 20000 classes: x = 20001 is judged by its value.
  EXPECT_EQ(Read("1 1\n20000 1\n20001 1\n").status, status::kDefXTooLarge);
}

// A fake source that feeds fixed records, to check the loop's own rules without the text layer.
class FixedSource final : public RecordSource {
 public:
  explicit FixedSource(std::vector<Record> records) : records_(std::move(records)) {}
  Status Next(Record& out, std::uint32_t& counter) override {
    if (pos_ == records_.size()) return status::kEndOfData;
    out = records_[pos_++];
    ++counter;
    return status::kOk;
  }

 private:
  std::vector<Record> records_;
  std::size_t pos_ = 0;
};

TEST(DatenLesen, FailedReadInvalidatesEarlierData) {
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  FixedSource gut({{3, 0}, {2, 1}, {1, 2}});
  ASSERT_EQ(DatenLesen(*d, gut, e), status::kOk);
  ASSERT_TRUE(d->DatenGueltig);
  FixedSource schlecht({{3, 1}, {2, 1}});
  EXPECT_EQ(DatenLesen(*d, schlecht, e), status::kDataError);
  EXPECT_FALSE(d->DatenGueltig);
  double f = 0;
  std::uint32_t x = 0;
  EXPECT_EQ(KlasseHolen(*d, 0, f, x), status::kNoData);
}

TEST(DatenLesen, SumStartsAfreshForEveryRead) {
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  FixedSource eins({{3, 0}, {2, 1}});
  ASSERT_EQ(DatenLesen(*d, eins, e), status::kOk);
  FixedSource zwei({{4, 0}, {1, 1}});
  ASSERT_EQ(DatenLesen(*d, zwei, e), status::kOk);
  EXPECT_EQ(d->Statistik.summe, 5.0);
}

TEST(KlasseHolen, ReturnsClassesAndEndOfData) {
  const ReadResult r = Read("2 4\n3 6\n");
  ASSERT_EQ(r.status, status::kOk);
  double f = 0;
  std::uint32_t x = 0;
  ASSERT_EQ(KlasseHolen(*r.daten, 1, f, x), status::kOk);
  EXPECT_EQ(x, 3u);
  EXPECT_EQ(f, 6.0);
  EXPECT_EQ(KlasseHolen(*r.daten, 2, f, x), status::kEndOfData);
}

TEST(TextRecordSource, ReportsLineAndTokenOfAMalformedNumber) {
  std::istringstream in("1 2\n2 3\n3 x7\n");
  TextRecordSource quelle(in);
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  EXPECT_EQ(DatenLesen(*d, quelle, e), status::kException);
  EXPECT_EQ(quelle.Line(), 3u);
  EXPECT_NE(quelle.Error().find("'x7'"), std::string::npos) << quelle.Error();
}

// A buffer that hands out one byte at a time and cannot put one back, but can seek: the check of
// the first bytes for an encoding must give them back by the seek, not lose them.
class OhneRueckgabe : public std::streambuf {
 public:
  explicit OhneRueckgabe(std::string text) : text_(std::move(text)) {}

 protected:
  // The get area holds the one byte before pos_.
  int_type underflow() override {
    if (pos_ >= text_.size()) return traits_type::eof();
    zeichen_ = text_[pos_++];
    setg(&zeichen_, &zeichen_, &zeichen_ + 1);
    return traits_type::to_int_type(zeichen_);
  }
  pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override {
    if (dir != std::ios_base::cur) return pos_type(off_type(-1));
    const off_type hier = static_cast<off_type>(pos_) - (egptr() - gptr());
    pos_ = static_cast<std::size_t>(hier + off);
    setg(nullptr, nullptr, nullptr);
    return pos_type(static_cast<off_type>(pos_));
  }

 private:
  std::string text_;
  std::size_t pos_ = 0;
  char zeichen_ = 0;
};

TEST(TextRecordSource, FirstBytesComeBackWhereTheBufferCannotPutBack) {
  OhneRueckgabe puffer("0 5\n1 3\n2 1\n");
  std::istream in(&puffer);
  TextRecordSource quelle(in);
  auto d = std::make_unique<TDatensatz>();
  TDateneigenschaften e;
  ASSERT_EQ(DatenLesen(*d, quelle, e), status::kOk);
  EXPECT_EQ(Fs(*d), (std::vector<double>{5, 3, 1}));
}

}  // namespace
}  // namespace vk
