// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>
#include <cstdio>
#include <memory>

#include "app/kalibra/CliSupport.h"
#include "app/kalibra/Commands.h"
#include "app/kalibra/CsvWriter.h"
#include "app/kalibra/Output.h"
#include "core/DatenDatei.h"
#include "core/Format.h"

namespace vk::cli {

namespace {

struct Feld {
  const char* key;    // JSON key and CSV name
  const char* label;  // text output
  double (*wert)(const TStatistik&);
  bool ganzzahl;
};

// clang-format off
constexpr Feld kFelder[] = {
    {"N", "Sample size N", [](const TStatistik& s) { return s.summe; }, false},
    {"m1", "Mean m1", [](const TStatistik& s) { return s.m1; }, false},
    {"m2", "Central moment m2", [](const TStatistik& s) { return s.m2; }, false},
    {"m3", "Central moment m3", [](const TStatistik& s) { return s.m3; }, false},
    {"m4", "Central moment m4", [](const TStatistik& s) { return s.m4; }, false},
    {"fm2", "Factorial moment fm2", [](const TStatistik& s) { return s.fm2; }, false},
    {"fm3", "Factorial moment fm3", [](const TStatistik& s) { return s.fm3; }, false},
    {"fm4", "Factorial moment fm4", [](const TStatistik& s) { return s.fm4; }, false},
    {"m1x0", "Mean from first class m1x0", [](const TStatistik& s) { return s.m1x0; }, false},
    {"parity", "Parity", [](const TStatistik& s) { return s.paritaet; }, false},
    {"parityK", "Parity K", [](const TStatistik& s) { return s.paritaetK; }, false},
    {"skewness", "Skewness", [](const TStatistik& s) { return s.schiefe; }, false},
    {"excess", "Excess", [](const TStatistik& s) { return s.exzess; }, false},
    {"ordI", "Ord I", [](const TStatistik& s) { return s.ord_i; }, false},
    {"ordS", "Ord S", [](const TStatistik& s) { return s.ord_s; }, false},
    {"entropy", "Entropy", [](const TStatistik& s) { return s.entropie; }, false},
    {"repeatRate", "Repeat rate", [](const TStatistik& s) { return s.wiederholungsrate; }, false},
    {"lastClassIndex", "Last class index n", [](const TStatistik& s) { return double(s.n); }, true},
    {"modeGroupIndex", "Mode group index", [](const TStatistik& s) { return double(s.ModusGruppenIndex); }, true},
    {"quotient1", "Quotient 1", [](const TStatistik& s) { return s.quotient[0]; }, false},
    {"quotient2", "Quotient 2", [](const TStatistik& s) { return s.quotient[1]; }, false},
    {"quotient3", "Quotient 3", [](const TStatistik& s) { return s.quotient[2]; }, false},
};
// clang-format on

std::string Text(const Feld& feld, const TStatistik& s) {
  const double v = feld.wert(s);
  return feld.ganzzahl ? std::to_string(static_cast<long long>(v)) : FormatFixed(v, 4);
}

void PrintText(const std::string& pfad, const TDatensatz& d) {
  std::printf("File: %s\n\n", pfad.c_str());
  TextTable stats({"Statistic", "Value"});
  for (const Feld& feld : kFelder) stats.Row({feld.label, Text(feld, d.Statistik)});
  stats.Print(stdout);
  std::printf("\n");
  TextTable klassen({"x", "f"});
  for (std::uint32_t i = 0; i <= d.Statistik.n; ++i)
    klassen.Row({std::to_string(d.XWerte[i]), FormatFixed(d.Haeufigkeiten[i], 4)});
  klassen.Print(stdout);
}

void PrintCsv(const TDatensatz& d) {
  CsvWriter csv(stdout);
  csv.Row({"statistic", "value"});
  for (const Feld& feld : kFelder) {
    const double v = feld.wert(d.Statistik);
    csv.Row({feld.key, feld.ganzzahl ? std::to_string(static_cast<long long>(v)) : FormatExact(v)});
  }
  csv.BlankLine();
  csv.Row({"x", "f"});
  for (std::uint32_t i = 0; i <= d.Statistik.n; ++i)
    csv.Row({std::to_string(d.XWerte[i]), FormatExact(d.Haeufigkeiten[i])});
}

void PrintJsonReport(const std::string& pfad, const TDatensatz& d) {
  QJsonObject stats;
  for (const Feld& feld : kFelder) stats.insert(feld.key, feld.wert(d.Statistik));
  QJsonArray klassen;
  for (std::uint32_t i = 0; i <= d.Statistik.n; ++i)
    klassen.append(QJsonObject{{"x", static_cast<qint64>(d.XWerte[i])}, {"f", d.Haeufigkeiten[i]}});
  QJsonObject root{
      {"file", QString::fromStdString(pfad)}, {"statistics", stats}, {"classes", klassen}};
  PrintJson(stdout, QJsonDocument(root));
}

}  // namespace

int RunStats(const QStringList& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription("Descriptive statistics and classes of an input data file.");
  parser.addPositionalArgument("FILE", "Input data file (x and f per line).");
  int exitCode = 0;
  const auto format = ParseCommandLine(parser, args, "stats", exitCode);
  if (!format) return exitCode;
  if (parser.positionalArguments().size() != 1) {
    std::fprintf(stderr, "kalibra stats: exactly one FILE expected\n");
    return kExitUsage;
  }
  const std::string pfad = LokalerPfad(parser.positionalArguments().front());

  auto daten = std::make_unique<TDatensatz>();
  TDateneigenschaften eigenschaften;
  const Status st = ReadDataFile(pfad, *daten, eigenschaften);
  if (st != status::kOk) return static_cast<int>(st);
  if (AbortRequested()) return Abgebrochen("stats");
  FinishingOutput();
  switch (*format) {
    case Format::kText:
      PrintText(pfad, *daten);
      break;
    case Format::kCsv:
      PrintCsv(*daten);
      break;
    case Format::kJson:
    case Format::kJsonLines:  // refused by ParseCommandLine here
      PrintJsonReport(pfad, *daten);
      break;
  }
  return 0;
}

}  // namespace vk::cli
