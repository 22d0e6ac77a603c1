// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <istream>
#include <memory>
#include <optional>
#include <string>

#include "app/kalibra/IdHash.h"
#include "app/kalibra/TableSource.h"

namespace vk::cli {

// The options of a command that reads its data sets from one long table.
struct TabellenOptionen {
  std::string pfad;  // "-" for standard input
  Tabellenart art = Tabellenart::kCsv;
  Tabellenspalten spalten;
  Shard shard;
};

void AddTableOptions(QCommandLineParser& parser);
// False, with the message printed, when an option is wrong; none in `t` without --table.
bool ReadTableOptions(const QCommandLineParser& parser, const char* command,
                      std::optional<TabellenOptionen>& t);

// The table's stream: standard input or the file, opened for reading; none, with the message
// printed, when the file cannot be opened.
std::unique_ptr<std::istream> TabelleStream(const TabellenOptionen& t, const char* command);

// Reads data set `t` into `daten` by the data file's rules. On failure (the table reader's own
// fault or the reader's) returns its status with the message, naming the id and the line and
// prefixed by "kalibra COMMAND: " where it is the table reader's, in `meldungen`.
Status TabellendatensatzLesen(const Tabellendatensatz& t, TDatensatz& daten, const char* command,
                              std::string& meldungen);

// The table's data sets of the chosen shard, one at a time.
class ShardTableSource {
 public:
  ShardTableSource(std::istream& in, const TabellenOptionen& t)
      : quelle_(OpenTableSource(in, t.art, t.spalten)), shard_(t.shard) {}
  std::optional<Tabellendatensatz> Naechster() {
    for (;;) {
      auto d = quelle_->Naechster();
      if (!d || shard_.Enthaelt(d->id)) return d;
    }
  }
  [[nodiscard]] const std::string& Abbruch() const { return quelle_->Abbruch(); }

 private:
  std::unique_ptr<TableSource> quelle_;
  Shard shard_;
};

}  // namespace vk::cli
