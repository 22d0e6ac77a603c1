// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/DatenLesen.h"

namespace vk::cli {

// One data set of a long table: its id, the line its first row stood on, its records in table
// order. A data set the table reader already found wrong carries the message (with the id and
// the line) in `fehler` and no records.
struct Tabellendatensatz {
  std::string id;
  std::uint64_t zeile = 0;
  std::vector<Record> records;
  std::string fehler;
  Status status = status::kOk;  // of a data set found wrong: 12 as for a malformed data file, 9
                                // for an id that is empty or returns
};

enum class Tabellenart { kCsv, kTsv, kJsonLines };

// The columns of a CSV or TSV table, by their names in the header row.
struct Tabellenspalten {
  std::string id = "id";
  std::string x = "x";
  std::string f = "f";
};

// Reads a long table one data set at a time, so that memory does not grow with the table.
// The rows of one id must stand together: an id that returns after other ids is reported as
// an error for each later group (its first group was read as usual). To know that, the reader
// keeps 8 bytes per id seen.
class TableSource {
 public:
  virtual ~TableSource() = default;
  // The next data set, or none at the end of the table or when the table cannot be read any
  // further (then `Abbruch()` says why).
  virtual std::optional<Tabellendatensatz> Naechster() = 0;
  // Why the table could not be read to its end (a header without the columns, a broken
  // stream); empty when it was.
  [[nodiscard]] const std::string& Abbruch() const { return abbruch_; }

 protected:
  std::string abbruch_;
};

std::unique_ptr<TableSource> OpenTableSource(std::istream& in, Tabellenart art,
                                               const Tabellenspalten& spalten);

// Records of a data set for the data file reader's rules (only the first x may be 0; the rest
// is DatenLesen's: ascending x, the class count, the frequencies).
class DatensatzRecords final : public RecordSource {
 public:
  explicit DatensatzRecords(const std::vector<Record>& records) : records_(records) {}
  Status Next(Record& out, std::uint32_t& counter) override;

 private:
  const std::vector<Record>& records_;
  std::size_t naechster_ = 0;
};

}  // namespace vk::cli
