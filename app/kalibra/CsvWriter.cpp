// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/CsvWriter.h"

#include <csv.h>

namespace vk::cli {

void CsvWriter::Row(const std::vector<std::string>& fields) {
  std::fputs(Text(fields).c_str(), out_);
}

std::string CsvWriter::Text(const std::vector<std::string>& fields) {
  std::string zeile;
  std::vector<char> puffer;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) zeile += ',';
    // Quoting at most doubles every character, plus the two quotes.
    puffer.resize(2 * fields[i].size() + 2);
    const std::size_t n =
        csv_write(puffer.data(), puffer.size(), fields[i].data(), fields[i].size());
    zeile.append(puffer.data(), n);
  }
  zeile += '\n';
  return zeile;
}

void CsvWriter::BlankLine() {
  std::fputc('\n', out_);
}

}  // namespace vk::cli
