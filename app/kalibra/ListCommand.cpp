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
#include "app/kalibra/Tabelle.h"
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

// Text says yes or no; CSV true or false; JSON a boolean.
Zelle JaNein(bool b) {
  return {b ? "yes" : "no", b ? "true" : "false", QJsonValue(b)};
}

const Tabelle<TKatalogeintrag>& Katalogtabelle() {
  using E = TKatalogeintrag;
  static const Tabelle<E> t = {
      {"Index", "index", [](const E& e) { return Ganz(e.index); }},
      {"Name", "name", [](const E& e) { return Wort(e.bezeichnung); }},
      {"Parameters", "parameters",
       [](const E& e) {
         QJsonArray parameter;
         for (std::uint32_t k = 0; k < e.parameterZahl; ++k)
           parameter.append(
               QJsonObject{{"name", QString::fromStdString(e.parameter[k].bezeichnung)},
                           {"domainBits", static_cast<qint64>(e.parameter[k].eigenschaften)}});
         const std::string text = Parameternamen(e);
         return Zelle{text, text, parameter};
       }},
      {"Fixed parameters", "fixedParameters",
       [](const E& e) {
         QJsonArray fest;
         for (std::uint32_t k = 0; k < e.festparameterZahl; ++k)
           fest.append(QJsonObject{
               {"name", QString::fromStdString(e.festparameter[k].bezeichnung)},
               {"condition", QString::fromStdString(e.festparameter[k].bedingung)},
               {"description", QString::fromStdString(e.festparameter[k].beschreibung)}});
         const std::string text = Festparameter(e);
         return Zelle{text, text, fest};
       }},
      {"Alternatives", "alternatives", [](const E& e) { return Ganz(e.alternativen); }},
      {"Automatic", "automatic", [](const E& e) { return JaNein(e.automatik); }},
      {"Special", "special", [](const E& e) { return JaNein(e.spezial); }},
      {"Groups", "groups", [](const E& e) { return Ganz(e.gruppen); }},
  };
  return t;
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

  Verteilungsverzeichnis katalog;
  const Status geladen = LoadCatalog(katalog, "list");
  if (geladen != status::kOk) return static_cast<int>(geladen);

  auto daten = std::make_unique<TDatensatz>();
  const bool assistiert = parser.isSet("assisted");
  if (assistiert) {
    TDateneigenschaften eigenschaften;
    const Status st = ReadDataFile(LokalerPfad(parser.value("assisted")), *daten, eigenschaften);
    if (st != status::kOk) return static_cast<int>(st);
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
  const Tabelle<TKatalogeintrag>& t = Katalogtabelle();
  switch (*format) {
    case Format::kText: {
      TextTable text(TextKopf(t));
      for (const TKatalogeintrag& e : eintraege) text.Row(TextZeile(t, e));
      text.Print(stdout);
      break;
    }
    case Format::kCsv: {
      CsvWriter csv(stdout);
      csv.Row(CsvKopf(t));
      for (const TKatalogeintrag& e : eintraege) csv.Row(CsvZeile(t, e));
      break;
    }
    case Format::kJson:
    case Format::kJsonLines: {  // refused by ParseCommandLine here
      const std::filesystem::path programm = QCoreApplication::applicationDirPath().toStdString();
      PrintJson(stdout, QJsonDocument(QJsonObject{
                            {"catalog", QString::fromStdString(KatalogdateiFinden(programm).string())},
                            {"distributions", JsonListe(t, eintraege)}}));
      break;
    }
  }
  return 0;
}

}  // namespace vk::cli
