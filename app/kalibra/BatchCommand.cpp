// SPDX-License-Identifier: GPL-3.0-or-later
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "app/kalibra/CliSupport.h"
#include "app/kalibra/Commands.h"
#include "app/kalibra/CsvWriter.h"
#include "app/kalibra/FitReport.h"
#include "app/kalibra/Output.h"
#include "core/DatenDatei.h"
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
  std::string meldungen;  // for standard error, printed with the row so they come in file order
  std::string ausgabe;    // the row as CSV or JSON, formatted by the worker that fitted it
};

// One file on a worker's engine, which is kept from file to file: setting up an engine (its
// arrays span every possible class) costs more than fitting a small file.
void DateiAnpassen(Anpassungen& engine, FixedParameters fest, const TVerteilung& ref, Zeile& z) {
  TDateneigenschaften eig;
  std::string detail;
  z.lesen = DateiLesen(z.datei, engine.DatenZumLesen(), eig, detail, AbortRequested);
  if (z.lesen != status::kOk) {
    z.meldungen = LesefehlerText(z.datei, z.lesen) + "\n";
    if (!detail.empty()) z.meldungen += "  " + detail + "\n";
    return;
  }
  const TDatensatz& d = engine.Daten();
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
  z.fit = engine.GewaehlteAnpassung(ref, true, r);
  if (z.fit == status::kSkipAbortByUser && !fest.Missing().empty())
    z.meldungen += "kalibra batch: " + z.datei + ": the fixed parameter '" + fest.Missing() +
                   "' needs --fixed " + fest.Missing() + "=VALUE\n";
  if (z.fit != status::kOk)
    z.meldungen +=
        "kalibra batch: " + z.datei + ": " + ref.Bezeichnung + ": " + StatusText(z.fit) + "\n";
  if (const std::string grund = AusnahmeGrund(d); z.fit == status::kException && !grund.empty())
    z.meldungen += "  " + grund + "\n";
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

// The list in its format, written row by row. CSV and JSON go out as the rows come; the text
// table aligns its columns over all rows, so it keeps the formatted cells until the end.
class Ausgabe {
 public:
  Ausgabe(Format format, const TVerteilung& ref, std::vector<std::string> parameterNamen,
          bool verfeinerung)
      : format_(format),
        ref_(ref),
        parameterNamen_(std::move(parameterNamen)),
        text_(format == Format::kText),
        // The table says which results the refinement improved; a classic run's text stays as
        // it was.
        verfeinertSpalte_(!text_ || verfeinerung),
        tabelle_(Kopf(), format == Format::kText),
        csv_(stdout) {
    if (format_ == Format::kCsv) csv_.Row(Kopf());
  }

  // On the worker's thread: the row's CSV or JSON text, so that writing it costs little.
  void Formatieren(struct Zeile& z) const {
    if (z.lesen != status::kOk || text_) return;
    if (format_ == Format::kCsv) {
      z.ausgabe = CsvWriter::Text(Zellen(z));
      return;
    }
    QByteArray objekt = QJsonDocument(JsonObjekt(z)).toJson(QJsonDocument::Indented);
    objekt.chop(1);  // the final line break
    z.ausgabe = "        ";
    for (char c : objekt) {
      z.ausgabe += c;
      if (c == '\n') z.ausgabe += "        ";
    }
  }

  // In argument order.
  void Zeile(const struct Zeile& z) {
    if (format_ == Format::kJson) {
      JsonZeile(z);
    } else if (text_) {
      tabelle_.Row(Zellen(z));
    } else {
      std::fputs(z.ausgabe.c_str(), stdout);
    }
  }

  void Ende() {
    if (text_) tabelle_.Print(stdout);
    if (format_ != Format::kJson) return;
    if (jsonZeilen_ == 0) {
      PrintJson(stdout, Dokument(QJsonArray{}));
      return;
    }
    std::fputs(jsonSchluss_.c_str(), stdout);
  }

 private:
  std::vector<std::string> Kopf() const {
    std::vector<std::string> kopf = {"Input data", "X²", "P(X²)", "C", "DF", "R²"};
    kopf.insert(kopf.end(), parameterNamen_.begin(), parameterNamen_.end());
    for (const std::string& s : Statistikspalten()) kopf.push_back(s);
    if (verfeinertSpalte_) kopf.push_back("Refined");
    return kopf;
  }

  std::vector<double> ParameterWerte(const struct Zeile& z) const {
    std::vector<double> w;
    for (std::uint32_t k = 0; k < z.parameter.ParZahl; ++k)
      w.push_back(z.parameter.Parameter[k].Wert);
    for (std::uint32_t k = 0; k < z.parameter.FestParZahl; ++k)
      w.push_back(z.parameter.Festparameter[k].Wert);
    w.resize(parameterNamen_.size(), 0);
    return w;
  }

  std::vector<std::string> Zellen(const struct Zeile& z) const {
    const auto zahl = [&](double v, int stellen) {
      return text_ ? FormatFixed(v, stellen) : FormatExact(v);
    };
    const bool ok = z.fit == status::kOk;
    std::vector<std::string> zeile = {z.datei,
                                      ok ? zahl(z.ergebnis.Chi, 2) : StatusText(z.fit),
                                      ok ? zahl(z.ergebnis.PChi, 4) : "",
                                      ok ? zahl(z.ergebnis.Kontingenz, 4) : "",
                                      ok ? std::to_string(z.ergebnis.FG) : "",
                                      ok ? zahl(z.ergebnis.R2, 4) : ""};
    for (double w : ParameterWerte(z)) zeile.push_back(ok ? zahl(w, 4) : "");
    const auto werte = Statistikwerte(z);
    for (std::size_t i = 0; i < werte.size(); ++i)
      zeile.push_back(i == 0   ? std::to_string(static_cast<long long>(werte[i]))
                      : i == 1 ? std::to_string(z.xMax)
                               : zahl(werte[i], 4));
    if (verfeinertSpalte_)
      zeile.push_back(ok && z.ergebnis.Verfeinert ? (text_ ? "yes" : "true")
                                                  : (text_ ? "" : "false"));
    return zeile;
  }

  QJsonDocument Dokument(const QJsonArray& dateien) const {
    return QJsonDocument(QJsonObject{
        {"distribution", QJsonObject{{"index", static_cast<qint64>(ref_.Index)},
                                     {"name", QString::fromStdString(ref_.Bezeichnung)}}},
        {"files", dateien}});
  }

  // Each file's object is formatted on its own (Formatieren) and indented to its place in the
  // document, so
  // the streamed text is byte for byte what the whole document would print: the document with
  // one marker element, cut at the marker, gives what comes before the first and after the
  // last.
  void JsonZeile(const struct Zeile& z) {
    if (jsonZeilen_ == 0) {
      const QByteArray ganz =
          Dokument(QJsonArray{QJsonObject{{kMarke, 0}}}).toJson(QJsonDocument::Indented);
      const QByteArray marke = "{\n            \"" + QByteArray(kMarke) + "\": 0\n        }";
      const qsizetype stelle = ganz.indexOf(marke);
      std::fwrite(ganz.constData(), 1, static_cast<std::size_t>(stelle - 8), stdout);
      jsonSchluss_ = ganz.mid(stelle + marke.size()).toStdString();
    } else {
      std::fputs(",\n", stdout);
    }
    ++jsonZeilen_;
    std::fputs(z.ausgabe.c_str(), stdout);
  }

  QJsonObject JsonObjekt(const struct Zeile& z) const {
    QJsonObject stat;
    const auto werte = Statistikwerte(z);
    const char* keys[] = {"N",    "xMax", "np1",      "m1",     "m2",      "m3",        "m4",
                          "ordI", "ordS", "skewness", "excess", "entropy", "repeatRate"};
    for (std::size_t i = 0; i < werte.size(); ++i) stat.insert(keys[i], werte[i]);
    QJsonObject o{{"file", QString::fromStdString(z.datei)},
                  {"status", static_cast<qint64>(z.fit)},
                  {"statusMessage", QString::fromStdString(StatusText(z.fit))},
                  {"statistics", stat}};
    if (z.fit == status::kOk) {
      o.insert("chiSquare", z.ergebnis.Chi);
      o.insert("p", z.ergebnis.PChi);
      o.insert("c", z.ergebnis.Kontingenz);
      o.insert("df", static_cast<qint64>(z.ergebnis.FG));
      o.insert("r2", z.ergebnis.R2);
      o.insert("parameters", ParameterJson(z.parameter));
      o.insert("refined", z.ergebnis.Verfeinert);
    }
    return o;
  }

  static constexpr const char* kMarke = "marke";
  Format format_;
  const TVerteilung& ref_;
  std::vector<std::string> parameterNamen_;
  bool text_;
  bool verfeinertSpalte_;
  TextTable tabelle_;
  CsvWriter csv_;
  std::size_t jsonZeilen_ = 0;
  std::string jsonSchluss_;
};

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

  // Parameter columns: the distribution's parameters and fixed parameters, in catalog order.
  std::vector<std::string> parameterNamen;
  for (std::uint32_t k = 0; k < eintrag->parameterZahl; ++k)
    parameterNamen.push_back(eintrag->parameter[k].bezeichnung);
  for (std::uint32_t k = 0; k < eintrag->festparameterZahl; ++k)
    parameterNamen.push_back(eintrag->festparameter[k].bezeichnung);
  Ausgabe ausgabe(*format, ref, parameterNamen, einstellungen.Verfeinerung);

  const QStringList dateien = parser.positionalArguments();
  const std::size_t anzahl = static_cast<std::size_t>(dateien.size());
  InstallAbortHandler();
  const bool fortschritt = ProgressWanted();
  // Rows leave in the order of the arguments as soon as all before them are done. Workers run
  // at most kFenster files ahead of the oldest unfinished one, so memory stays the same however
  // many files there are.
  constexpr std::size_t kFenster = 256;
  std::vector<std::optional<Zeile>> fenster(kFenster);
  std::size_t ausgegeben = 0;  // rows written so far, in argument order
  std::size_t naechste = 0;    // the next file a worker takes
  Status ergebnis = status::kOk;
  // A write that failed (a full disk) ends the batch: the files after it would be fitted for
  // nothing.
  bool schreibfehler = false;
  std::mutex sperre;
  std::condition_variable platz;
  // Writes every finished row from the oldest on; called with the lock held.
  const auto ausgeben = [&] {
    while (ausgegeben < anzahl && fenster[ausgegeben % kFenster]) {
      Zeile& z = *fenster[ausgegeben % kFenster];
      if (fortschritt) std::fprintf(stderr, "\r%30s\r", "");
      std::fputs(z.meldungen.c_str(), stderr);
      const Status st = z.lesen != status::kOk ? z.lesen : z.fit;
      if (st != status::kOk && ergebnis == status::kOk) ergebnis = st;
      if (z.lesen == status::kOk) ausgabe.Zeile(z);
      fenster[ausgegeben % kFenster].reset();
      ++ausgegeben;
      if (fortschritt) std::fprintf(stderr, "\r[%zu/%zu]", ausgegeben, anzahl);
    }
    if (std::ferror(stdout)) schreibfehler = true;
    platz.notify_all();
  };
  // Each worker has an engine of its own; only the catalog is shared, and it is read-only.
  const auto arbeiter = [&] {
    auto engine = std::make_unique<Anpassungen>(katalog);
    engine->EinstellungenUebernehmen(einstellungen);
    std::unique_lock<std::mutex> lock(sperre);
    while (naechste < anzahl && !AbortRequested() && !schreibfehler) {
      const std::size_t i = naechste++;
      platz.wait(lock, [&] { return i < ausgegeben + kFenster; });
      lock.unlock();
      Zeile z;
      z.datei = LokalerPfad(dateien[static_cast<qsizetype>(i)]);
      DateiAnpassen(*engine, fest, ref, z);
      ausgabe.Formatieren(z);
      lock.lock();
      fenster[i % kFenster] = std::move(z);
      ausgeben();
    }
  };
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < std::min<std::size_t>(jobs, anzahl); ++t) threads.emplace_back(arbeiter);
  arbeiter();
  for (std::thread& t : threads) t.join();
  FinishingOutput();
  {
    // After Ctrl-C the files never started count as cut off, in their place in the order, and
    // are named, so that the user knows which ones to run again.
    std::lock_guard<std::mutex> lock(sperre);
    for (std::size_t i = ausgegeben; i < anzahl; ++i) {
      Zeile z;
      z.datei = LokalerPfad(dateien[static_cast<qsizetype>(i)]);
      z.meldungen = "kalibra batch: " + z.datei + ": not started (" +
                    (schreibfehler ? std::string("the output could not be written")
                                   : StatusText(status::kAbort) + ", Ctrl-C") +
                    ")\n";
      fenster[i % kFenster] = std::move(z);
      ausgeben();
    }
  }
  if (fortschritt) std::fprintf(stderr, "\r%30s\r", "");
  ausgabe.Ende();
  return static_cast<int>(ergebnis);
}

}  // namespace vk::cli
