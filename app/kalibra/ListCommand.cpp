// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/kalibra/CliSupport.h"
#include "app/kalibra/Commands.h"
#include "app/kalibra/CsvWriter.h"
#include "app/kalibra/Output.h"
#include "catalog/VerzeichnisLaden.h"
#include "core/DatenDatei.h"
#include "fitting/KatalogPruefung.h"

namespace vk::cli {

namespace {

std::string Parameternamen(const TKatalogeintrag& e) {
  std::string s;
  for (std::uint32_t k = 0; k < e.parameterZahl; ++k)
    s += (k ? ", " : "") + e.parameter[k].bezeichnung;
  return s;
}

std::string Festparameter(const TKatalogeintrag& e) {
  std::string s;
  for (std::uint32_t k = 0; k < e.festparameterZahl; ++k)
    s += (k ? ", " : "") + e.festparameter[k].bezeichnung + " (" + e.festparameter[k].bedingung +
         ")";
  return s;
}

const char* JaNein(bool b) {
  return b ? "yes" : "no";
}

void PrintText(const std::vector<TKatalogeintrag>& eintraege) {
  TextTable t({"Index", "Name", "Parameters", "Fixed parameters", "Alternatives", "Automatic",
               "Special", "Groups"});
  for (const TKatalogeintrag& e : eintraege)
    t.Row({std::to_string(e.index), e.bezeichnung, Parameternamen(e), Festparameter(e),
           std::to_string(e.alternativen), JaNein(e.automatik), JaNein(e.spezial),
           std::to_string(e.gruppen)});
  t.Print(stdout);
}

void PrintCsv(const std::vector<TKatalogeintrag>& eintraege) {
  CsvWriter csv(stdout);
  csv.Row({"index", "name", "parameters", "fixedParameters", "alternatives", "automatic", "special",
           "groups"});
  for (const TKatalogeintrag& e : eintraege)
    csv.Row({std::to_string(e.index), e.bezeichnung, Parameternamen(e), Festparameter(e),
             std::to_string(e.alternativen), e.automatik ? "true" : "false",
             e.spezial ? "true" : "false", std::to_string(e.gruppen)});
}

void PrintJsonReport(const std::string& katalog, const std::vector<TKatalogeintrag>& eintraege) {
  QJsonArray list;
  for (const TKatalogeintrag& e : eintraege) {
    QJsonArray parameter;
    for (std::uint32_t k = 0; k < e.parameterZahl; ++k)
      parameter.append(
          QJsonObject{{"name", QString::fromStdString(e.parameter[k].bezeichnung)},
                      {"domainBits", static_cast<qint64>(e.parameter[k].eigenschaften)}});
    QJsonArray fest;
    for (std::uint32_t k = 0; k < e.festparameterZahl; ++k)
      fest.append(
          QJsonObject{{"name", QString::fromStdString(e.festparameter[k].bezeichnung)},
                      {"condition", QString::fromStdString(e.festparameter[k].bedingung)},
                      {"description", QString::fromStdString(e.festparameter[k].beschreibung)}});
    list.append(QJsonObject{{"index", static_cast<qint64>(e.index)},
                            {"name", QString::fromStdString(e.bezeichnung)},
                            {"parameters", parameter},
                            {"fixedParameters", fest},
                            {"alternatives", static_cast<qint64>(e.alternativen)},
                            {"automatic", e.automatik},
                            {"special", e.spezial},
                            {"groups", static_cast<qint64>(e.gruppen)}});
  }
  PrintJson(stdout, QJsonDocument(QJsonObject{{"catalog", QString::fromStdString(katalog)},
                                              {"distributions", list}}));
}

}  // namespace

int RunList(const QStringList& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "The distributions of the catalog (Kalibra.bxm in the current directory, else beside the "
      "program, else in ../share/vostra-kalibra relative to it), in index order.");
  parser.addOption({"automatic", "Only distributions used by automatic fitting."});
  parser.addOption({"special", "Only the special-fitting model."});
  parser.addOption(
      {"assisted", "Only distributions offered for the data in FILE (by its first x).", "FILE"});
  int exitCode = 0;
  const auto format = ParseCommandLine(parser, args, "list", exitCode);
  if (!format) return exitCode;
  if (!parser.positionalArguments().isEmpty()) {
    std::fprintf(stderr, "kalibra list: no FILE expected (use --assisted FILE)\n");
    return kExitUsage;
  }

  const std::filesystem::path programm = QCoreApplication::applicationDirPath().toStdString();
  Verteilungsverzeichnis katalog;
  std::string meldung, hinweis;
  const Status geladen = KatalogLaden(programm, katalog, meldung, hinweis);
  if (!hinweis.empty()) std::fprintf(stderr, "kalibra list: %s\n", hinweis.c_str());
  if (geladen != status::kOk) {
    std::fprintf(stderr, "kalibra list: %s\n", meldung.c_str());
    return static_cast<int>(geladen);
  }

  auto daten = std::make_unique<TDatensatz>();
  const bool assistiert = parser.isSet("assisted");
  if (assistiert) {
    const std::string pfad = LokalerPfad(parser.value("assisted"));
    TDateneigenschaften eigenschaften;
    std::string detail;
    const Status st = DateiLesen(pfad, *daten, eigenschaften, detail, AbortRequested);
    if (st != status::kOk) {
      std::fprintf(stderr, "%s\n", LesefehlerText(pfad, st).c_str());
      if (!detail.empty()) std::fprintf(stderr, "  %s\n", detail.c_str());
      return static_cast<int>(st);
    }
  }

  // With both flags an entry qualifies by either.
  const bool nurAutomatik = parser.isSet("automatic");
  const bool nurSpezial = parser.isSet("special");
  std::vector<TKatalogeintrag> eintraege;
  const Status st = katalog.VerteilungenAuflisten(assistiert, *daten, [&](const TVerteilung& v) {
    const bool gewaehlt = (!nurAutomatik && !nurSpezial) || (nurAutomatik && v.automatik) ||
                          (nurSpezial && v.spezial);
    if (!gewaehlt) return status::kOk;
    const auto e = katalog.VerteilungHolen(v.Index);
    if (!e) return status::kDirectoryError;
    eintraege.push_back(*e);
    return status::kOk;
  });
  if (st != status::kOk) {
    std::fprintf(stderr, "kalibra list: %s\n", StatusText(st).c_str());
    return static_cast<int>(st);
  }
  if (eintraege.empty()) {
    // An empty list needs its reason: the catalog, the group bits or the filters.
    const auto zahl = katalog.VerteilungenZaehlen();
    std::fprintf(stderr,
                 "kalibra list: nothing to list: of the catalog's %u entries (%u automatic, %u "
                 "special) none has a \"Gruppen\" bit in the mask %s%s\n",
                 zahl.verteilungen, zahl.automatik, zahl.spezial,
                 assistiert ? "for the first x of the data (3, 5 or 9)" : "15",
                 nurAutomatik || nurSpezial ? " and the chosen --automatic/--special" : "");
  }
  if (AbortRequested()) return Abgebrochen("list");
  FinishingOutput();
  switch (*format) {
    case Format::kText:
      PrintText(eintraege);
      break;
    case Format::kCsv:
      PrintCsv(eintraege);
      break;
    case Format::kJson:
      PrintJsonReport(KatalogdateiFinden(programm).string(), eintraege);
      break;
  }
  return 0;
}

}  // namespace vk::cli
