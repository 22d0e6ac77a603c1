// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace vk::cli {

// Comma-separated rows; every field is quoted by libcsv, so names with commas or quotes survive.
class CsvWriter {
 public:
  explicit CsvWriter(std::FILE* out) : out_(out) {}
  void Row(const std::vector<std::string>& fields);
  void BlankLine();
  // The same row as text, for a caller that formats on one thread and writes on another.
  static std::string Text(const std::vector<std::string>& fields);

 private:
  std::FILE* out_;
};

}  // namespace vk::cli
