// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/Output.h"

#include <algorithm>

namespace vk::cli {

std::optional<Format> ParseFormat(const std::string& name) {
  if (name == "text") return Format::kText;
  if (name == "csv") return Format::kCsv;
  if (name == "json") return Format::kJson;
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

void TextTable::Print(std::FILE* out) const {
  std::vector<std::size_t> width(header_.size(), 0);
  const auto measure = [&](const std::vector<std::string>& cells) {
    for (std::size_t c = 0; c < cells.size() && c < width.size(); ++c)
      width[c] = std::max(width[c], Breite(cells[c]));
  };
  measure(header_);
  for (const auto& r : rows_) measure(r);
  const auto print = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t c = 0; c < cells.size() && c < width.size(); ++c) {
      line += cells[c];
      if (c + 1 < cells.size()) line.append(width[c] - Breite(cells[c]) + 2, ' ');
    }
    std::fprintf(out, "%s\n", line.c_str());
  };
  print(header_);
  for (const auto& r : rows_) print(r);
}

std::optional<Format> ParseCommandLine(QCommandLineParser& parser, const QStringList& args,
                                       const char* command, int& exitCode) {
  parser.addHelpOption();
  parser.addOption({"format", "Output format: text, csv or json.", "format", "text"});
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
  const auto format = ParseFormat(parser.value("format").toStdString());
  if (!format) {
    std::fprintf(stderr, "kalibra %s: unknown format '%s' (text, csv or json)\n", command,
                 qPrintable(parser.value("format")));
  }
  return format;
}

void PrintJson(std::FILE* out, const QJsonDocument& doc) {
  const QByteArray bytes = doc.toJson(QJsonDocument::Indented);
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
}

}  // namespace vk::cli
