// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QStringList>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace vk::cli {

enum class Format { kText, kCsv, kJson };

std::optional<Format> ParseFormat(const std::string& name);

// Exit codes of the tool besides 0 and the status codes 1..18.
inline constexpr int kExitUsage = 64;

// A text table with left-aligned columns, two blanks apart.
class TextTable {
 public:
  explicit TextTable(std::vector<std::string> header) : header_(std::move(header)) {}
  void Row(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
  void Print(std::FILE* out) const;

 private:
  std::vector<std::string> header_;
  std::vector<std::vector<std::string>> rows_;
};

void PrintJson(std::FILE* out, const QJsonDocument& doc);

// The part every subcommand shares: adds --help and --format to `parser`, parses `args`, prints
// help or the error. Returns the chosen format, or nothing with `exitCode` set (0 after --help,
// 64 on a usage error) when the command should stop.
std::optional<Format> ParseCommandLine(QCommandLineParser& parser, const QStringList& args,
                                       const char* command, int& exitCode);

}  // namespace vk::cli
