// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/CsvWriter.h"

#include <csv.h>

namespace vk::cli {

void CsvWriter::Row(const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) std::fputc(',', out_);
    csv_fwrite(out_, fields[i].data(), fields[i].size());
  }
  std::fputc('\n', out_);
}

void CsvWriter::BlankLine() {
  std::fputc('\n', out_);
}

}  // namespace vk::cli
