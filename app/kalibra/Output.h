// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace vk::cli {

// JSON Lines (one compact object per line) is for the lists that stream: batch and auto over a
// table.
enum class Format { kText, kCsv, kJson, kJsonLines };

std::optional<Format> ParseFormat(const std::string& name);

// Exit codes of the tool besides 0 and the status codes 1..18.
inline constexpr int kExitUsage = 64;

// A text table with left-aligned columns, two blanks apart.
// The columns are as wide as their widest cell, so nothing can be printed before the last row.
// A table of unbounded length (a batch over any number of files) spools its rows to a temporary
// file instead of memory; only the column widths stay in memory.
class TextTable {
 public:
  explicit TextTable(std::vector<std::string> header, bool spool = false);
  ~TextTable();
  TextTable(const TextTable&) = delete;
  TextTable& operator=(const TextTable&) = delete;
  void Row(std::vector<std::string> cells);
  void Print(std::FILE* out) const;

 private:
  std::vector<std::string> header_;
  std::vector<std::vector<std::string>> rows_;
  std::vector<std::size_t> width_;
  std::FILE* spool_ = nullptr;
};

void PrintJson(std::FILE* out, const QJsonDocument& doc);

// The part every subcommand shares: adds --help and --format to `parser`, parses `args`, prints
// help or the error. Returns the chosen format, or nothing with `exitCode` set (0 after --help,
// 64 on a usage error) when the command should stop.
std::optional<Format> ParseCommandLine(QCommandLineParser& parser, const QStringList& args,
                                       const char* command, int& exitCode,
                                       bool jsonLines = false);

// One JSON object on a line of its own.
std::string KompaktesJson(const QJsonObject& o);

}  // namespace vk::cli
