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
#include "app/kalibra/Ergebnistabellen.h"
#include "app/kalibra/FitReport.h"
#include "app/kalibra/Inferenz.h"
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
  AddInferenceOptions(parser);
  Session s;
  if (const int code = OpenSession(parser, args, "fit", true, true, s); code >= 0) return code;
  Inferenzbericht inferenz;
  if (!ReadInferenceOptions(parser, inferenz.auftrag, "fit")) return kExitUsage;

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
  if (fortschritt && fragen >= 64) std::fprintf(stderr, "\r%60s\r", "");
  bool vollstaendig = true;
  if (inferenz.auftrag.An()) {
    bericht.inferenz = &inferenz;
    if (bericht.status == status::kOk)
      vollstaendig = InferenzRechnen(*s.engine, bericht.verteilung, inferenz);
  }
  FinishingOutput();
  if (bericht.status == status::kSkipAbortByUser && !s.fest.Missing().empty())
    return FehlenderFestparameter("fit", s);
  bericht.Drucken(s.format);
  if (!vollstaendig) {
    // The figures printed are those of the samples done; the run as asked for is not complete.
    std::fprintf(stderr, "kalibra fit: bootstrap cancelled after %u of %u samples\n",
                 inferenz.bootstrap.gerechnet, inferenz.bootstrap.verlangt);
    return static_cast<int>(status::kAbort);
  }
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
  const Auswertungszeile figuren{&k, &vp, st, verworfen, genugFG};
  const std::vector<std::uint32_t> ziel = a.Poolung(false);
  std::vector<Klassenzeile> klassen;
  for (std::uint32_t i = 0; i <= d.Statistik.n; ++i)
    klassen.push_back({d.XWerte[i], d.Haeufigkeiten[i], a.AktuelleNP()[i],
                       verworfen || ziel[i] == kNichtGepoolt
                           ? std::nullopt
                           : std::optional<std::uint32_t>(d.XWerte[ziel[i]])});
  const Tabelle<Auswertungszeile>& wt = Auswertungstabelle();
  const Tabelle<Klassenzeile>& kt = Klassentabelle();
  if (s.format == Format::kJson) {
    QJsonObject root{
        {"file", QString::fromStdString(s.datei)},
        {"distribution", QJsonObject{{"index", static_cast<qint64>(ref.Index)},
                                     {"name", QString::fromStdString(ref.Bezeichnung)}}},
        {"expected", JsonListe(kt, klassen)}};
    JsonFelder(wt, figuren, root);
    PrintJson(stdout, QJsonDocument(root));
  } else if (s.format == Format::kCsv) {
    CsvWriter csv(stdout);
    csv.Row(CsvKopf(wt));
    csv.Row(CsvZeile(wt, figuren));
    csv.BlankLine();
    csv.Row(CsvKopf(kt));
    for (const Klassenzeile& z : klassen) csv.Row(CsvZeile(kt, z));
  } else {
    std::printf("File: %s\nDistribution: %u %s\nParameters: %s\n", s.datei.c_str(), ref.Index,
                ref.Bezeichnung.c_str(), ParameterText(vp).c_str());
    std::printf("%s\n\n", TextSatz(wt, figuren).c_str());
    TextTable t(TextKopf(kt));
    for (const Klassenzeile& z : klassen) t.Row(TextZeile(kt, z));
    t.Print(stdout);
    std::printf("\nStatus: %s\n", StatusText(st).c_str());
  }
  return static_cast<int>(st);
}

}  // namespace vk::cli
