// SPDX-License-Identifier: GPL-3.0-or-later
// `kalibra auto --table`: every automatic member fitted to every data set of a long table, and
// the best K of each listed, so that "which law fits each of 100 000 texts" is one command.
#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <thread>

#include "app/kalibra/Automatikordnung.h"
#include "app/kalibra/CliSupport.h"
#include "app/kalibra/Commands.h"
#include "app/kalibra/CsvWriter.h"
#include "app/kalibra/Ergebnistabellen.h"
#include "app/kalibra/Output.h"
#include "app/kalibra/Tabelle.h"
#include "app/kalibra/TabellenOptionen.h"
#include "core/DatenDatei.h"
#include "core/Sichtbar.h"
#include "fitting/Anpassungen.h"
#include "fitting/GeordneteArbeit.h"

namespace vk::cli {

namespace {

constexpr std::size_t kFenster = 256;

// One data set's outcome: its best rows, already formatted for the output by the worker.
struct Bestenliste {
  std::string id;
  Status status = status::kOk;
  std::vector<TAnpassung> beste;
  std::string meldungen;
  std::string ausgabe;
};

struct Optionen {
  Format format = Format::kText;
  unsigned jobs = 1;
  std::size_t top = 3;
  QString sortierung = "p";
  TEinstellungen einstellungen;
  FixedParameters fest;
  TabellenOptionen tabelle;
};

// A data set's rank column before the automatic list's columns.
struct Rangzeile {
  const Bestenliste* liste = nullptr;
  std::size_t rang = 0;  // 1-based; 0 for a data set without a fitted member
};

Tabelle<Rangzeile> Rangtabelle() {
  Tabelle<Rangzeile> t = {
      {"id", "id", [](const Rangzeile& r) { return Wort(r.liste->id); }},
      {"Rank", "rank", [](const Rangzeile& r) { return Falls(r.rang > 0, Ganz(static_cast<std::int64_t>(r.rang))); }},
  };
  for (const Spalte<TAnpassung>& s : Automatiktabelle()) {
    t.push_back({s.kopf, s.schluessel,
                 [z = s.zelle, status = s.schluessel == "status"](const Rangzeile& r) {
                   if (r.rang > 0) return z(r.liste->beste[r.rang - 1]);
                   // A data set without a fitted member says why in its one row.
                   return status ? Wort(StatusText(r.liste->status)) : Leer();
                 },
                 s.formate & (kImText | kImCsv)});
  }
  return t;
}

// One JSON object per data set: its id, status and best members in order.
QJsonObject JsonListe(const Bestenliste& b) {
  QJsonArray beste;
  for (const TAnpassung& a : b.beste) beste.append(JsonObjekt(Automatiktabelle(), a));
  return QJsonObject{{"id", QString::fromStdString(b.id)},
                     {"status", static_cast<qint64>(b.status)},
                     {"statusMessage", QString::fromStdString(StatusText(b.status))},
                     {"top", beste}};
}

void Anpassen(Anpassungen& engine, Optionen& o, const Tabellendatensatz& t, Bestenliste& b) {
  b.id = t.id;
  b.status = TabellendatensatzLesen(t, engine.DatenZumLesen(), "auto", b.meldungen);
  if (b.status != status::kOk) return;
  std::vector<TAnpassung> zeilen;
  Rueckrufe r;
  r.ergebnis = [&](const TAnpassung& a) {
    if (AbortRequested()) return status::kAbort;
    if (a.Status == status::kOk) zeilen.push_back(a);
    return status::kOk;
  };
  FixedParameters fest = o.fest;
  r.festparameter = fest.Callback(engine.Daten());
  r.abbruch = AbortRequested;
  b.status = engine.AutomatischeAnpassung(r);
  if (AbortRequested()) b.status = status::kAbort;
  AutomatikSortieren(zeilen, o.sortierung);
  if (zeilen.size() > o.top) zeilen.resize(o.top);
  b.beste = std::move(zeilen);
  if (b.status != status::kOk)
    b.meldungen = "kalibra auto: id '" + Sichtbar(t.id) + "': " + StatusText(b.status) + "\n";
}

std::optional<int> OptionenLesen(const QStringList& args, Verteilungsverzeichnis& katalog,
                                 Optionen& o) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Fits every automatic distribution to every data set of a long table and lists the best "
      "of each.");
  parser.addOption({"sort", "Order of the best: p, c, x2, r2, df or name (default: p).", "column",
                    "p"});
  parser.addOption({"top", "Members listed per data set (default: 3).", "K", "3"});
  parser.addOption({"jobs", "Data sets fitted in parallel (default: the number of cores).", "N"});
  AddFixedOption(parser);
  AddOptimisationOptions(parser);
  AddTableOptions(parser);
  int exitCode = 0;
  const auto format = ParseCommandLine(parser, args, "auto", exitCode, true);
  if (!format) return exitCode;
  o.format = *format;
  std::optional<TabellenOptionen> t;
  if (!ReadTableOptions(parser, "auto", t)) return kExitUsage;
  if (!t || !parser.positionalArguments().isEmpty()) {
    std::fprintf(stderr, "kalibra auto: --table TABLE and no FILE expected\n");
    return kExitUsage;
  }
  o.tabelle = *t;
  if (o.format == Format::kJson) {
    std::fprintf(stderr, "kalibra auto: over a table the formats are text, csv and jsonl\n");
    return kExitUsage;
  }
  bool ok = false;
  o.top = parser.value("top").toULongLong(&ok);
  if (!ok || o.top == 0) {
    std::fprintf(stderr, "kalibra auto: --top takes a positive whole number\n");
    return kExitUsage;
  }
  o.sortierung = parser.value("sort");
  std::vector<TAnpassung> probe;
  if (!AutomatikSortieren(probe, o.sortierung)) {
    std::fprintf(stderr, "kalibra auto: --sort takes p, c, x2, r2, df or name\n");
    return kExitUsage;
  }
  o.jobs = std::max(1u, std::thread::hardware_concurrency());
  if (parser.isSet("jobs")) {
    o.jobs = parser.value("jobs").toUInt(&ok);
    if (!ok || o.jobs == 0) {
      std::fprintf(stderr, "kalibra auto: --jobs takes a positive whole number\n");
      return kExitUsage;
    }
  }
  if (!ReadOptimisationOptions(parser, o.einstellungen, "auto") || !o.fest.Parse(parser, "auto"))
    return kExitUsage;
  if (const Status st = LoadCatalog(katalog, "auto"); st != status::kOk)
    return static_cast<int>(st);
  std::vector<TKatalogeintrag> automatische;
  for (std::uint32_t i = 0; i < kVerteilungsSlots; ++i)
    if (auto e = katalog.VerteilungHolen(i); e && e->automatik) automatische.push_back(*e);
  if (!o.fest.Check(automatische, "auto")) return kExitUsage;
  return std::nullopt;
}

}  // namespace

int RunAutoTabelle(const QStringList& args) {
  Verteilungsverzeichnis katalog;
  Optionen o;
  if (const auto code = OptionenLesen(args, katalog, o)) return *code;
  const auto stream = TabelleStream(o.tabelle, "auto");
  if (!stream) return static_cast<int>(status::kException);
  ShardTableSource quelle(*stream, o.tabelle);
  const Tabelle<Rangzeile> spalten = Rangtabelle();
  TextTable text(TextKopf(spalten), true);
  CsvWriter csv(stdout);
  if (o.format == Format::kCsv) csv.Row(CsvKopf(spalten));
  const auto zeilenVon = [](const Bestenliste& b) {
    std::vector<Rangzeile> z;
    for (std::size_t r = 1; r <= b.beste.size(); ++r) z.push_back({&b, r});
    if (z.empty()) z.push_back({&b, 0});
    return z;
  };
  InstallAbortHandler();
  Status ergebnis = status::kOk;
  bool schreibfehler = false;
  std::size_t gelesen = 0;
  const auto weiter = [&] { return !AbortRequested() && !schreibfehler; };
  GeordnetAbarbeiten<Tabellendatensatz, Bestenliste, Anpassungen>(
      o.jobs, kFenster,
      [&]() -> std::optional<Tabellendatensatz> {
        return weiter() ? quelle.Naechster() : std::nullopt;
      },
      [&] {
        auto engine = std::make_unique<Anpassungen>(katalog);
        engine->EinstellungenUebernehmen(o.einstellungen);
        // The data sets share the cores; each one's members run one after another.
        engine->ThreadsSetzen(1);
        return engine;
      },
      [&](Anpassungen& engine, Tabellendatensatz& t) {
        Bestenliste b;
        Anpassen(engine, o, t, b);
        if (o.format == Format::kJsonLines) {
          b.ausgabe = KompaktesJson(JsonListe(b));
        } else if (o.format == Format::kCsv) {
          for (const Rangzeile& z : zeilenVon(b)) b.ausgabe += CsvWriter::Text(CsvZeile(spalten, z));
        }
        return b;
      },
      [&](Bestenliste& b) {
        ++gelesen;
        std::fputs(b.meldungen.c_str(), stderr);
        if (b.status != status::kOk && ergebnis == status::kOk) ergebnis = b.status;
        if (o.format == Format::kText) {
          for (const Rangzeile& z : zeilenVon(b)) text.Row(TextZeile(spalten, z));
        } else {
          std::fputs(b.ausgabe.c_str(), stdout);
        }
        if (std::ferror(stdout)) schreibfehler = true;
      });
  FinishingOutput();
  if (!weiter()) {
    std::fprintf(stderr, "kalibra auto: the table was not read to its end (%s) after %zu data sets\n",
                 schreibfehler ? "the output could not be written"
                               : (StatusText(status::kAbort) + ", Ctrl-C").c_str(),
                 gelesen);
    if (ergebnis == status::kOk) ergebnis = status::kAbort;
  } else if (!quelle.Abbruch().empty()) {
    std::fprintf(stderr, "kalibra auto: %s\n", quelle.Abbruch().c_str());
    if (ergebnis == status::kOk) ergebnis = status::kException;
  }
  if (o.format == Format::kText) text.Print(stdout);
  return static_cast<int>(ergebnis);
}

}  // namespace vk::cli
