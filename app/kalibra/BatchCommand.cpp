// SPDX-License-Identifier: GPL-3.0-or-later
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

#include "app/kalibra/CliSupport.h"
#include "app/kalibra/Commands.h"
#include "app/kalibra/CsvWriter.h"
#include "app/kalibra/FitReport.h"
#include "app/kalibra/Output.h"
#include "core/Format.h"
#include "fitting/Anpassungen.h"

namespace vk::cli {

namespace {

// One row of the batch list: the best method of the distribution on one file, with the file's
// statistics, kept after the next file has been read.
struct Zeile {
  std::string datei;
  Status lesen = status::kAbort;  // status of the read; a file never started was cut off by Ctrl-C
  Status fit = status::kException;  // status of the fit
  TAnpassung ergebnis;
  TVerteilungsparameter parameter;
  TStatistik statistik;
  std::uint32_t xMax = 0;
  double np1 = 0;
};

void DateiAnpassen(const Verteilungsverzeichnis& katalog, const OptimisationSettings& e,
                   FixedParameters fest, const TVerteilung& ref, Zeile& z, std::mutex& ausgabe) {
  auto engine = std::make_unique<Anpassungen>(katalog);
  engine->EinstellungenUebernehmen(e);
  TDateneigenschaften eig;
  {
    // The reader's messages go to standard error at once; the lock keeps them whole.
    std::lock_guard<std::mutex> lock(ausgabe);
    z.lesen = ReadDataFile(z.datei, engine->DatenZumLesen(), eig);
  }
  if (z.lesen != status::kOk) return;
  const TDatensatz& d = engine->Daten();
  z.statistik = d.Statistik;
  z.xMax = d.XWerte[d.Statistik.n];
  Rueckrufe r;
  r.ergebnis = [&](const TAnpassung& a) {
    z.ergebnis = a;
    return status::kOk;
  };
  r.parameter = [&](const TVerteilungsparameter& p) {
    z.parameter = p;
    return status::kOk;
  };
  r.klasse = [&](const TWerte& w) {
    if (!w.Ergebnis && w.Idx == 0) z.np1 = w.NP;
    return status::kOk;
  };
  r.festparameter = fest.Callback(d);
  r.abbruch = AbortRequested;
  z.fit = engine->GewaehlteAnpassung(ref, true, r);
  if (z.fit == status::kSkipAbortByUser && !fest.Missing().empty()) {
    std::lock_guard<std::mutex> lock(ausgabe);
    std::fprintf(stderr, "kalibra batch: %s: the fixed parameter '%s' needs --fixed %s=VALUE\n",
                 z.datei.c_str(), fest.Missing().c_str(), fest.Missing().c_str());
  }
}

std::vector<std::string> Statistikspalten() {
  return {"N",     "x-max", "NP1",      "m1",     "m2",      "m3",       "m4",
          "Ord I", "Ord S", "Skewness", "Excess", "Entropy", "Rep. rate"};
}

std::vector<double> Statistikwerte(const Zeile& z) {
  const TStatistik& s = z.statistik;
  return {s.summe,
          static_cast<double>(z.xMax),
          z.np1,
          s.m1,
          s.m2,
          s.m3,
          s.m4,
          s.ord_i,
          s.ord_s,
          s.schiefe,
          s.exzess,
          s.entropie,
          s.wiederholungsrate};
}

}  // namespace

int RunBatch(const QStringList& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Fits one distribution to every FILE and lists the best method of each, with the file's "
      "statistics. A file that cannot be read is reported on standard error and skipped.");
  parser.addOption({{"d", "distribution"}, "Catalog index or display name.", "DIST"});
  parser.addOption({"jobs", "Files fitted in parallel (default: the number of cores).", "N"});
  AddFixedOption(parser);
  AddOptimisationOptions(parser);
  parser.addPositionalArgument("FILE", "Input data files.", "FILE...");
  int exitCode = 0;
  const auto format = ParseCommandLine(parser, args, "batch", exitCode);
  if (!format) return exitCode;
  if (parser.positionalArguments().isEmpty() || !parser.isSet("distribution")) {
    std::fprintf(stderr, "kalibra batch: -d DIST and at least one FILE expected\n");
    return kExitUsage;
  }
  unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
  if (parser.isSet("jobs")) {
    bool ok = false;
    jobs = parser.value("jobs").toUInt(&ok);
    if (!ok || jobs == 0) {
      std::fprintf(stderr, "kalibra batch: --jobs takes a positive whole number\n");
      return kExitUsage;
    }
  }
  OptimisationSettings einstellungen;
  FixedParameters fest;
  if (!ReadOptimisationOptions(parser, einstellungen, "batch") || !fest.Parse(parser, "batch"))
    return kExitUsage;
  Verteilungsverzeichnis katalog;
  if (const Status st = LoadCatalog(katalog, "batch"); st != status::kOk)
    return static_cast<int>(st);
  const auto eintrag = FindDistribution(katalog, parser.value("distribution"), "batch");
  if (!eintrag) return kExitUsage;
  if (!fest.Check(std::span(&*eintrag, 1), "batch")) return kExitUsage;
  const TVerteilung ref = Referenz(*eintrag);

  std::vector<Zeile> zeilen;
  for (const QString& f : parser.positionalArguments()) {
    Zeile z;
    z.datei = f.toStdString();
    zeilen.push_back(z);
  }
  InstallAbortHandler();
  std::atomic<std::size_t> naechste{0};
  std::atomic<std::size_t> fertig{0};
  std::mutex ausgabe;
  const bool fortschritt = ProgressWanted();
  // Each worker has an engine of its own; only the catalog is shared, and it is read-only.
  const auto arbeiter = [&] {
    for (std::size_t i = naechste++; i < zeilen.size() && !AbortRequested(); i = naechste++) {
      DateiAnpassen(katalog, einstellungen, fest, ref, zeilen[i], ausgabe);
      const std::size_t n = ++fertig;
      if (fortschritt) {
        std::lock_guard<std::mutex> lock(ausgabe);
        std::fprintf(stderr, "\r[%zu/%zu]", n, zeilen.size());
      }
    }
  };
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < std::min<std::size_t>(jobs, zeilen.size()); ++t)
    threads.emplace_back(arbeiter);
  arbeiter();
  for (std::thread& t : threads) t.join();
  if (fortschritt) std::fprintf(stderr, "\r%30s\r", "");

  // Parameter columns: the distribution's parameters and fixed parameters, in catalog order.
  std::vector<std::string> parameterNamen;
  for (std::uint32_t k = 0; k < eintrag->parameterZahl; ++k)
    parameterNamen.push_back(eintrag->parameter[k].bezeichnung);
  for (std::uint32_t k = 0; k < eintrag->festparameterZahl; ++k)
    parameterNamen.push_back(eintrag->festparameter[k].bezeichnung);
  const auto parameterWerte = [&](const Zeile& z) {
    std::vector<double> w;
    for (std::uint32_t k = 0; k < z.parameter.ParZahl; ++k)
      w.push_back(z.parameter.Parameter[k].Wert);
    for (std::uint32_t k = 0; k < z.parameter.FestParZahl; ++k)
      w.push_back(z.parameter.Festparameter[k].Wert);
    w.resize(parameterNamen.size(), 0);
    return w;
  };

  Status ergebnis = status::kOk;
  std::vector<const Zeile*> gelesen;
  for (const Zeile& z : zeilen) {
    const Status st = z.lesen != status::kOk ? z.lesen : z.fit;
    if (st != status::kOk && ergebnis == status::kOk) ergebnis = st;
    if (z.lesen == status::kOk) gelesen.push_back(&z);
    if (z.lesen == status::kOk && z.fit != status::kOk)
      std::fprintf(stderr, "kalibra batch: %s: %s: %s\n", z.datei.c_str(), ref.Bezeichnung.c_str(),
                   StatusText(z.fit).c_str());
  }

  if (*format == Format::kJson) {
    QJsonArray liste;
    for (const Zeile* z : gelesen) {
      QJsonObject stat;
      const auto namen = Statistikspalten();
      const auto werte = Statistikwerte(*z);
      const char* keys[] = {"N",    "xMax", "np1",      "m1",     "m2",      "m3",        "m4",
                            "ordI", "ordS", "skewness", "excess", "entropy", "repeatRate"};
      for (std::size_t i = 0; i < werte.size(); ++i) stat.insert(keys[i], werte[i]);
      QJsonObject o{{"file", QString::fromStdString(z->datei)},
                    {"status", static_cast<qint64>(z->fit)},
                    {"statusMessage", QString::fromStdString(StatusText(z->fit))},
                    {"statistics", stat}};
      if (z->fit == status::kOk) {
        o.insert("chiSquare", z->ergebnis.Chi);
        o.insert("p", z->ergebnis.PChi);
        o.insert("c", z->ergebnis.Kontingenz);
        o.insert("df", static_cast<qint64>(z->ergebnis.FG));
        o.insert("r2", z->ergebnis.R2);
        o.insert("parameters", ParameterJson(z->parameter));
        o.insert("refined", z->ergebnis.Verfeinert);
      }
      liste.append(o);
    }
    PrintJson(stdout,
              QJsonDocument(QJsonObject{
                  {"distribution", QJsonObject{{"index", static_cast<qint64>(ref.Index)},
                                               {"name", QString::fromStdString(ref.Bezeichnung)}}},
                  {"files", liste}}));
    return static_cast<int>(ergebnis);
  }

  std::vector<std::string> kopf = {"Input data", "X²", "P(X²)", "C", "DF", "R²"};
  kopf.insert(kopf.end(), parameterNamen.begin(), parameterNamen.end());
  for (const std::string& s : Statistikspalten()) kopf.push_back(s);
  const bool text = *format == Format::kText;
  // The table says which results the refinement improved; a classic run's text stays as it was.
  const bool verfeinertSpalte = !text || einstellungen.Verfeinerung;
  if (verfeinertSpalte) kopf.push_back("Refined");
  const auto zahl = [&](double v, int stellen) {
    return text ? FormatFixed(v, stellen) : FormatExact(v);
  };
  TextTable tabelle(kopf);
  CsvWriter csv(stdout);
  if (!text) csv.Row(kopf);
  for (const Zeile* z : gelesen) {
    const bool ok = z->fit == status::kOk;
    std::vector<std::string> zeile = {z->datei,
                                      ok ? zahl(z->ergebnis.Chi, 2) : StatusText(z->fit),
                                      ok ? zahl(z->ergebnis.PChi, 4) : "",
                                      ok ? zahl(z->ergebnis.Kontingenz, 4) : "",
                                      ok ? std::to_string(z->ergebnis.FG) : "",
                                      ok ? zahl(z->ergebnis.R2, 4) : ""};
    for (double w : parameterWerte(*z)) zeile.push_back(ok ? zahl(w, 4) : "");
    const auto werte = Statistikwerte(*z);
    for (std::size_t i = 0; i < werte.size(); ++i)
      zeile.push_back(i == 0   ? std::to_string(static_cast<long long>(werte[i]))
                      : i == 1 ? std::to_string(z->xMax)
                               : zahl(werte[i], 4));
    if (verfeinertSpalte)
      zeile.push_back(ok && z->ergebnis.Verfeinert ? (text ? "yes" : "true")
                                                   : (text ? "" : "false"));
    if (text)
      tabelle.Row(zeile);
    else
      csv.Row(zeile);
  }
  if (text) tabelle.Print(stdout);
  return static_cast<int>(ergebnis);
}

}  // namespace vk::cli
