// SPDX-License-Identifier: GPL-3.0-or-later
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/kalibra/Automatikordnung.h"
#include "app/kalibra/CliSupport.h"
#include "app/kalibra/Commands.h"
#include "app/kalibra/CsvWriter.h"
#include "app/kalibra/Ergebnistabellen.h"
#include "app/kalibra/FitReport.h"
#include "app/kalibra/Output.h"
#include "core/Format.h"
#include "fitting/Anpassungen.h"

namespace vk::cli {

int RunAuto(const QStringList& args) {
  // Over a long table the command streams a list per data set; it has options of its own.
  if (std::any_of(args.begin(), args.end(), [](const QString& a) { return a.startsWith("--table"); }))
    return RunAutoTabelle(args);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Fits every distribution marked for automatic fitting and lists the best method of each.");
  parser.addOption(
      {"sort", "Order of the rows: p, c, x2, r2, df or name (default: catalog order).", "column"});
  parser.addOption(
      {"jobs", "Distributions fitted in parallel (default: the number of cores).", "N"});
  Session s;
  if (const int code = OpenSession(parser, args, "auto", false, true, s); code >= 0) return code;
  // The rows, their order and the figures do not depend on it.
  if (parser.isSet("jobs")) {
    bool ok = false;
    const unsigned jobs = parser.value("jobs").toUInt(&ok);
    if (!ok || jobs == 0) {
      std::fprintf(stderr, "kalibra auto: --jobs takes a positive whole number\n");
      return kExitUsage;
    }
    s.engine->ThreadsSetzen(jobs);
  }
  // --fixed names a fixed parameter of some automatic distribution.
  std::vector<TKatalogeintrag> automatische;
  for (std::uint32_t i = 0; i < kVerteilungsSlots; ++i)
    if (auto e = s.katalog.VerteilungHolen(i); e && e->automatik) automatische.push_back(*e);
  if (!s.fest.Check(automatische, "auto")) return kExitUsage;
  std::vector<TAnpassung> zeilen;
  const bool fortschritt = ProgressWanted();
  Rueckrufe r;
  r.ergebnis = [&](const TAnpassung& a) {
    // A distribution cut short by Ctrl-C has no result worth a row; the run ends with Abort.
    if (AbortRequested()) return status::kAbort;
    zeilen.push_back(a);
    if (fortschritt)
      std::fprintf(stderr, "\r[%u/%u] %-40.40s", a.Methode, a.Alternativen,
                   a.Verteilung.Bezeichnung.c_str());
    return status::kOk;
  };
  r.festparameter = s.fest.Callback(s.engine->Daten());
  r.abbruch = AbortRequested;
  InstallAbortHandler();
  Status st = s.engine->AutomatischeAnpassung(r);
  FinishingOutput();
  if (AbortRequested()) st = status::kAbort;
  const bool ausnahme = std::any_of(zeilen.begin(), zeilen.end(), [](const TAnpassung& a) {
    return a.Status == status::kException || a.Status == status::kExceptionSkip;
  });
  if (const std::string grund = AusnahmeGrund(s.engine->Daten()); ausnahme && !grund.empty())
    std::fprintf(stderr, "kalibra auto: the exceptions have a reason: %s\n", grund.c_str());
  if (zeilen.empty() && st == status::kNoGoodFit) {
    const auto zahl = s.katalog.VerteilungenZaehlen();
    std::fprintf(stderr,
                 "kalibra auto: no distribution was fitted: of the catalog's %u entries %u are "
                 "marked \"Automatik\", and one takes part only when its \"Gruppen\" has one of "
                 "the bits 0..3 set\n",
                 zahl.verteilungen, zahl.automatik);
  }
  if (fortschritt) std::fprintf(stderr, "\r%60s\r", "");
  if (parser.isSet("sort") && !AutomatikSortieren(zeilen, parser.value("sort"))) {
    std::fprintf(stderr, "kalibra auto: --sort takes p, c, x2, r2, df or name\n");
    return kExitUsage;
  }

  const Tabelle<TAnpassung>& t = Automatiktabelle();
  if (s.format == Format::kJson) {
    PrintJson(stdout, QJsonDocument(
                          QJsonObject{{"file", QString::fromStdString(s.datei)},
                                      {"distributions", JsonListe(t, zeilen)},
                                      {"status", static_cast<qint64>(st)},
                                      {"statusMessage", QString::fromStdString(StatusText(st))}}));
  } else if (s.format == Format::kCsv) {
    CsvWriter csv(stdout);
    csv.Row(CsvKopf(t));
    for (const TAnpassung& a : zeilen) csv.Row(CsvZeile(t, a));
  } else {
    std::printf("File: %s\n\n", s.datei.c_str());
    TextTable tabelle(TextKopf(t));
    for (const TAnpassung& a : zeilen) tabelle.Row(TextZeile(t, a));
    tabelle.Print(stdout);
    std::printf("\nStatus: %s\n", StatusText(st).c_str());
  }
  return static_cast<int>(st);
}

}  // namespace vk::cli
