// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/TabellenOptionen.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>

#include "core/DatenDatei.h"
#include "core/Sichtbar.h"

namespace vk::cli {

namespace {

bool EndetMit(const std::string& s, const char* ende) {
  const std::size_t n = std::strlen(ende);
  return s.size() >= n && s.compare(s.size() - n, n, ende) == 0;
}

}  // namespace

void AddTableOptions(QCommandLineParser& parser) {
  parser.addOption({"table",
                    "Data sets from one long table (CSV, TSV or JSON Lines; - for standard "
                    "input) in place of FILEs.",
                    "TABLE"});
  parser.addOption({"table-format",
                    "csv, tsv or jsonl (default: by the name's ending, .tsv, .jsonl or .ndjson, "
                    "else csv).",
                    "kind"});
  parser.addOption({"id-column", "The table's id column (default: id).", "name", "id"});
  parser.addOption({"x-column", "The table's x column (default: x).", "name", "x"});
  parser.addOption({"f-column", "The table's frequency column (default: f).", "name", "f"});
  parser.addOption({"shard",
                    "Only the data sets whose id hashes to shard I of N (1 <= I <= N): N "
                    "processes with I = 1..N fit each data set exactly once.",
                    "I/N"});
}

bool ReadTableOptions(const QCommandLineParser& parser, const char* command,
                      std::optional<TabellenOptionen>& t) {
  t.reset();
  if (!parser.isSet("table")) {
    for (const char* o : {"table-format", "id-column", "x-column", "f-column", "shard"}) {
      if (parser.isSet(o)) {
        std::fprintf(stderr, "kalibra %s: --%s needs --table\n", command, o);
        return false;
      }
    }
    return true;
  }
  TabellenOptionen o;
  o.pfad = parser.value("table").toStdString();
  const std::string art = parser.isSet("table-format") ? parser.value("table-format").toStdString()
                          : EndetMit(o.pfad, ".tsv")   ? "tsv"
                          : EndetMit(o.pfad, ".jsonl") || EndetMit(o.pfad, ".ndjson") ? "jsonl"
                                                                                       : "csv";
  if (art == "csv") {
    o.art = Tabellenart::kCsv;
  } else if (art == "tsv") {
    o.art = Tabellenart::kTsv;
  } else if (art == "jsonl") {
    o.art = Tabellenart::kJsonLines;
  } else {
    std::fprintf(stderr, "kalibra %s: --table-format takes csv, tsv or jsonl, not '%s'\n", command,
                 Sichtbar(art).c_str());
    return false;
  }
  o.spalten = {parser.value("id-column").toStdString(), parser.value("x-column").toStdString(),
               parser.value("f-column").toStdString()};
  if (parser.isSet("shard")) {
    const auto s = ShardLesen(parser.value("shard").toStdString());
    if (!s) {
      std::fprintf(stderr,
                   "kalibra %s: --shard takes I/N with whole numbers 1 <= I <= N, not '%s'\n",
                   command, qPrintable(parser.value("shard")));
      return false;
    }
    o.shard = *s;
  }
  t = std::move(o);
  return true;
}

Status TabellendatensatzLesen(const Tabellendatensatz& t, TDatensatz& daten, const char* command,
                              std::string& meldungen) {
  if (!t.fehler.empty()) {
    meldungen = std::string("kalibra ") + command + ": " + t.fehler + "\n";
    return t.status;
  }
  DatensatzRecords quelle(t.records);
  TDateneigenschaften eig;
  const Status st = DatenLesen(daten, quelle, eig);
  if (st != status::kOk)
    meldungen =
        LesefehlerText("id '" + Sichtbar(t.id) + "', line " + std::to_string(t.zeile), st) + "\n";
  return st;
}

std::unique_ptr<std::istream> TabelleStream(const TabellenOptionen& t, const char* command) {
  if (t.pfad == "-") {
    std::ios::sync_with_stdio(false);
    return std::make_unique<std::istream>(std::cin.rdbuf());
  }
  auto datei = std::make_unique<std::ifstream>(t.pfad, std::ios::binary);
  if (!*datei) {
    std::fprintf(stderr, "kalibra %s: cannot open the table '%s': %s\n", command,
                 Sichtbar(t.pfad).c_str(), std::strerror(errno));
    return nullptr;
  }
  return datei;
}

}  // namespace vk::cli
