// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/Output.h"

#include <algorithm>
#include <cerrno>

#include "app/kalibra/Unterbrechung.h"

namespace vk::cli {

std::optional<Format> ParseFormat(const std::string& name) {
  if (name == "text") return Format::kText;
  if (name == "csv") return Format::kCsv;
  if (name == "json") return Format::kJson;
  if (name == "jsonl") return Format::kJsonLines;
  return std::nullopt;
}

namespace {
// Columns are aligned by characters, not bytes: "X²" is three bytes in UTF-8.
std::size_t Breite(const std::string& text) {
  std::size_t n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}
}  // namespace

TextTable::TextTable(std::vector<std::string> header, bool spool)
    : header_(std::move(header)), width_(header_.size(), 0) {
  for (std::size_t c = 0; c < header_.size(); ++c) width_[c] = Breite(header_[c]);
  // Without a temporary file the rows stay in memory: slower to grow, but the same table.
  if (spool) spool_ = std::tmpfile();
}

TextTable::~TextTable() {
  if (spool_ != nullptr) std::fclose(spool_);
}

void TextTable::Row(std::vector<std::string> cells) {
  for (std::size_t c = 0; c < cells.size() && c < width_.size(); ++c)
    width_[c] = std::max(width_[c], Breite(cells[c]));
  if (spool_ == nullptr) {
    rows_.push_back(std::move(cells));
    return;
  }
  // Each cell as its length and its bytes: a cell may hold any character, a file name too.
  const std::size_t anzahl = cells.size();
  bool ok = std::fwrite(&anzahl, sizeof anzahl, 1, spool_) == 1;
  for (const std::string& c : cells) {
    const std::size_t laenge = c.size();
    ok = ok && std::fwrite(&laenge, sizeof laenge, 1, spool_) == 1 &&
         std::fwrite(c.data(), 1, laenge, spool_) == laenge;
  }
  // A full temporary directory would drop rows from the table without a word.
  if (!ok) OutputLost("cannot keep the table's rows in a temporary file", errno);
}

void TextTable::Print(std::FILE* out) const {
  const auto print = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t c = 0; c < cells.size() && c < width_.size(); ++c) {
      line += cells[c];
      if (c + 1 < cells.size()) line.append(width_[c] - Breite(cells[c]) + 2, ' ');
    }
    std::fprintf(out, "%s\n", line.c_str());
  };
  print(header_);
  for (const auto& r : rows_) print(r);
  if (spool_ == nullptr) return;
  if (std::fflush(spool_) != 0)
    OutputLost("cannot keep the table's rows in a temporary file", errno);
  std::rewind(spool_);
  std::vector<std::string> cells;
  std::size_t anzahl = 0;
  while (std::fread(&anzahl, sizeof anzahl, 1, spool_) == 1) {
    cells.resize(anzahl);
    for (std::string& c : cells) {
      std::size_t laenge = 0;
      c.resize(0);
      if (std::fread(&laenge, sizeof laenge, 1, spool_) != 1 ||
          (c.resize(laenge), std::fread(c.data(), 1, laenge, spool_) != laenge)) {
        OutputLost("cannot read the table's rows back from its temporary file", errno);
        return;
      }
    }
    print(cells);
  }
}

std::optional<Format> ParseCommandLine(QCommandLineParser& parser, const QStringList& args,
                                       const char* command, int& exitCode, bool jsonLines) {
  parser.addHelpOption();
  parser.addOption({"format",
                    jsonLines ? "Output format: text, csv, json or jsonl (JSON Lines)."
                              : "Output format: text, csv or json.",
                    "format", "text"});
  exitCode = kExitUsage;
  if (!parser.parse(args)) {
    std::fprintf(stderr, "kalibra %s: %s\n", command, qPrintable(parser.errorText()));
    return std::nullopt;
  }
  if (parser.isSet("help")) {
    std::printf("%s", qPrintable(parser.helpText()));
    exitCode = 0;
    return std::nullopt;
  }
  auto format = ParseFormat(parser.value("format").toStdString());
  if (format == Format::kJsonLines && !jsonLines) format.reset();
  if (!format) {
    std::fprintf(stderr, "kalibra %s: unknown format '%s' (text, csv or json%s)\n", command,
                 qPrintable(parser.value("format")), jsonLines ? " or jsonl" : "");
  }
  return format;
}

std::string KompaktesJson(const QJsonObject& o) {
  return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

void PrintJson(std::FILE* out, const QJsonDocument& doc) {
  const QByteArray bytes = doc.toJson(QJsonDocument::Indented);
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
}

}  // namespace vk::cli
