// SPDX-License-Identifier: GPL-3.0-or-later
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "app/kalibra/CliSupport.h"
#include "app/kalibra/Commands.h"
#include "app/kalibra/CsvWriter.h"
#include "app/kalibra/FitReport.h"
#include "core/Format.h"
#include "fitting/Anpassungen.h"

namespace vk::cli {

namespace {

int FehlenderFestparameter(const char* command, const Session& s) {
  std::fprintf(stderr,
               "kalibra %s: the fixed parameter '%s' of %s has no value from the data; give it "
               "with --fixed %s=VALUE\n",
               command, s.fest.Missing().c_str(), s.eintrag->bezeichnung.c_str(),
               s.fest.Missing().c_str());
  return kExitUsage;
}

}  // namespace

int RunFit(const QStringList& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Fits one distribution to the data, method by method, and reports the best method.");
  parser.addOption({"all-methods", "Report every method, not only the best."});
  Session s;
  if (const int code = OpenSession(parser, args, "fit", true, true, s); code >= 0) return code;

  FitReport bericht;
  bericht.datei = s.datei;
  bericht.verteilung = Referenz(*s.eintrag);
  Rueckrufe r;
  bericht.Verbinden(r);
  r.festparameter = s.fest.Callback(s.engine->Daten());
  // A fit on many classes can take minutes: on a terminal, the method under way and a count of
  // the engine's questions (asked every simplex step and inside long evaluations) show it lives.
  const bool fortschritt = ProgressWanted();
  const std::uint32_t methoden = s.eintrag->alternativen;
  std::uint32_t methode = 1;
  std::uint64_t fragen = 0;
  r.abbruch = [&] {
    if (fortschritt && ++fragen % 64 == 0)
      std::fprintf(stderr, "\rmethod %u of %u, checkpoint %llu", methode, methoden,
                   static_cast<unsigned long long>(fragen));
    return AbortRequested();
  };
  r.weiter = [&] {
    ++methode;
    return !AbortRequested();
  };
  InstallAbortHandler();
  bericht.status =
      s.engine->GewaehlteAnpassung(bericht.verteilung, !parser.isSet("all-methods"), r);
  FinishingOutput();
  if (fortschritt && fragen >= 64) std::fprintf(stderr, "\r%60s\r", "");
  if (bericht.status == status::kSkipAbortByUser && !s.fest.Missing().empty())
    return FehlenderFestparameter("fit", s);
  bericht.Drucken(s.format);
  if (bericht.status != status::kOk) {
    std::fprintf(stderr, "kalibra fit: %s: %s: %s\n", s.datei.c_str(),
                 s.eintrag->bezeichnung.c_str(), StatusText(bericht.status).c_str());
    if (const std::string grund = AusnahmeGrund(s.engine->Daten());
        bericht.status == status::kException && !grund.empty())
      std::fprintf(stderr, "  %s\n", grund.c_str());
  }
  return static_cast<int>(bericht.status);
}

int RunEvaluate(const QStringList& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Evaluates given parameters without optimising them: corrects them into their domains "
      "and computes X², the class count K, DF, P(X²), C, R² and the expected frequencies.");
  parser.addOption(
      {{"p", "parameters"}, "Free parameters in catalog order, comma-separated.", "V1,V2,..."});
  Session s;
  if (const int code = OpenSession(parser, args, "evaluate", true, true, s); code >= 0) return code;

  const QStringList werte = parser.value("parameters").split(',', Qt::SkipEmptyParts);
  if (static_cast<std::uint32_t>(werte.size()) != s.eintrag->parameterZahl) {
    std::fprintf(stderr, "kalibra evaluate: %s has %u free parameters; -p gave %lld\n",
                 s.eintrag->bezeichnung.c_str(), s.eintrag->parameterZahl,
                 static_cast<long long>(werte.size()));
    return kExitUsage;
  }
  Parametervektor v{};
  for (qsizetype k = 0; k < werte.size(); ++k) {
    if (!ParseNumber(werte[k], v[static_cast<std::size_t>(k)])) {
      std::fprintf(stderr, "kalibra evaluate: '%s' is not a number\n", qPrintable(werte[k]));
      return kExitUsage;
    }
  }
  const TVerteilung ref = Referenz(*s.eintrag);
  const Status st = s.engine->Auswerten(ref, v, s.fest.Callback(s.engine->Daten()));
  FinishingOutput();
  if (st == status::kSkipAbortByUser && !s.fest.Missing().empty())
    return FehlenderFestparameter("evaluate", s);
  const bool ausgewertet = st == status::kOk || st == status::kNotEnoughDf || st == status::kNoFit;
  if (st != status::kOk) {
    std::fprintf(stderr, "kalibra evaluate: %s: %s: %s%s\n", s.datei.c_str(),
                 s.eintrag->bezeichnung.c_str(), StatusText(st).c_str(),
                 VerwerfungGrund(s.engine->Verworfen(), s.engine->Daten()).c_str());
  }
  if (!ausgewertet) return static_cast<int>(st);

  const Anpassungen& a = *s.engine;
  // Frequencies that are no distribution have no X², DF, P, C or R²: the table shows them as
  // they came (the reason is on standard error), and every figure reads as none.
  const bool verworfen = a.Verworfen().grund != Verwerfung::kKeine;
  const auto& k = a.Aktuell();
  TVerteilungsparameter vp;
  a.VerteilungsparameterHolen(ref, false, vp);
  const TDatensatz& d = a.Daten();
  const bool genugFG = st != status::kNotEnoughDf && !verworfen;
  const auto zahl = [&](double w) { return verworfen ? QJsonValue() : ZahlJson(w); };
  const auto exakt = [&](double w) { return verworfen ? std::string() : FormatExactOderLeer(w); };
  const auto fest = [&](double w, int stellen) {
    return verworfen ? std::string("-") : FormatFixed(w, stellen);
  };
  const std::vector<std::uint32_t> ziel = a.Poolung(false);
  const auto gepooltIn = [&](std::uint32_t i) -> std::optional<std::uint32_t> {
    if (verworfen || ziel[i] == kNichtGepoolt) return std::nullopt;
    return d.XWerte[ziel[i]];
  };
  if (s.format == Format::kJson) {
    QJsonArray klassen;
    for (std::uint32_t i = 0; i <= d.Statistik.n; ++i)
      klassen.append(QJsonObject{{"x", static_cast<qint64>(d.XWerte[i])},
                                 {"f", d.Haeufigkeiten[i]},
                                 {"np", ZahlJson(a.AktuelleNP()[i])},
                                 {"pooledInto", GepooltJson(gepooltIn(i))}});
    QJsonObject root{
        {"file", QString::fromStdString(s.datei)},
        {"distribution", QJsonObject{{"index", static_cast<qint64>(ref.Index)},
                                     {"name", QString::fromStdString(ref.Bezeichnung)}}},
        {"parameters", ParameterJson(vp)},
        {"chiSquare", zahl(k.chi)},
        {"classes", verworfen ? QJsonValue() : QJsonValue(static_cast<qint64>(k.klassen))},
        {"df", verworfen ? QJsonValue() : QJsonValue(static_cast<qint64>(k.fg))},
        {"enoughDegreesOfFreedom", genugFG},
        {"p", genugFG ? QJsonValue(k.p) : QJsonValue()},
        {"c", zahl(k.c)},
        {"r2", zahl(k.r2)},
        {"expected", klassen},
        {"status", static_cast<qint64>(st)},
        {"statusMessage", QString::fromStdString(StatusText(st))}};
    PrintJson(stdout, QJsonDocument(root));
  } else if (s.format == Format::kCsv) {
    CsvWriter csv(stdout);
    csv.Row({"chiSquare", "classes", "df", "p", "c", "r2", "parameters", "status"});
    csv.Row({exakt(k.chi), verworfen ? "" : std::to_string(k.klassen),
             verworfen ? "" : std::to_string(k.fg), genugFG ? FormatExact(k.p) : "", exakt(k.c),
             exakt(k.r2), ParameterText(vp), StatusText(st)});
    csv.BlankLine();
    csv.Row({"x", "f", "np", "pooledInto"});
    for (std::uint32_t i = 0; i <= d.Statistik.n; ++i)
      csv.Row({std::to_string(d.XWerte[i]), FormatExact(d.Haeufigkeiten[i]),
               FormatExactOderLeer(a.AktuelleNP()[i]), GepooltText(gepooltIn(i))});
  } else {
    std::printf("File: %s\nDistribution: %u %s\nParameters: %s\n", s.datei.c_str(), ref.Index,
                ref.Bezeichnung.c_str(), ParameterText(vp).c_str());
    std::printf("X² %s  K %s  DF %s  P(X²) %s  C %s  R² %s\n\n", fest(k.chi, 2).c_str(),
                verworfen ? "-" : std::to_string(k.klassen).c_str(),
                verworfen ? "-" : std::to_string(k.fg).c_str(),
                genugFG ? FormatFixed(k.p, 4).c_str() : "-", fest(k.c, 4).c_str(),
                fest(k.r2, 4).c_str());
    TextTable t({"x", "f", "NP", "Pooled into"});
    for (std::uint32_t i = 0; i <= d.Statistik.n; ++i)
      t.Row({std::to_string(d.XWerte[i]), FormatFixed(d.Haeufigkeiten[i], 4),
             FormatFixedOderStrich(a.AktuelleNP()[i], 4), GepooltText(gepooltIn(i))});
    t.Print(stdout);
    std::printf("\nStatus: %s\n", StatusText(st).c_str());
  }
  return static_cast<int>(st);
}

}  // namespace vk::cli
