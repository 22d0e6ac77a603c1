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
#include "app/kalibra/Tabelle.h"
#include "app/kalibra/TabellenOptionen.h"
#include "core/Sichtbar.h"
#include "core/DatenDatei.h"
#include "core/Format.h"
#include "fitting/Anpassungen.h"
#include "fitting/GeordneteArbeit.h"

namespace vk::cli {

namespace {

// Rows a worker may run ahead of the oldest one not yet written.
constexpr std::size_t kFenster = 256;

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

void Anpassen(Anpassungen& engine, FixedParameters fest, const TVerteilung& ref, Zeile& z);

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
  Anpassen(engine, std::move(fest), ref, z);
}

// One data set of a table, read by the data file's rules; messages name its id and line.
void DatensatzAnpassen(Anpassungen& engine, FixedParameters fest, const TVerteilung& ref,
                       const Tabellendatensatz& t, Zeile& z) {
  z.datei = t.id;
  z.lesen = TabellendatensatzLesen(t, engine.DatenZumLesen(), "batch", z.meldungen);
  if (z.lesen != status::kOk) return;
  Anpassen(engine, std::move(fest), ref, z);
}

void Anpassen(Anpassungen& engine, FixedParameters fest, const TVerteilung& ref, Zeile& z) {
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

// The batch list's columns: the fit, the distribution's parameters (named from the catalog, so the
// list is built per run), the file's statistics. The table marks refined results only when the
// refinement was asked for, so that a classic run's text stays as it was.
Tabelle<Zeile> Batchtabelle(const std::vector<std::string>& parameterNamen, bool verfeinerung,
                            bool ausTabelle) {
  const auto ok = [](const Zeile& z) { return z.fit == status::kOk; };
  const auto fit = [ok](double TAnpassung::*feld, int stellen) {
    return [ok, feld, stellen](const Zeile& z) {
      return Falls(ok(z), Zahl(z.ergebnis.*feld, stellen));
    };
  };
  Tabelle<Zeile> t = {
      {ausTabelle ? "id" : "Input data", ausTabelle ? "id" : "file",
       [](const Zeile& z) { return Wort(z.datei); }},
      {"", "status",
       [](const Zeile& z) {
         return Zelle{"", "", static_cast<qint64>(z.fit)};
       },
       kImJson},
      {"", "statusMessage", [](const Zeile& z) { return Wort(StatusText(z.fit)); }, kImJson},
      {"X²", "chiSquare",
       [ok](const Zeile& z) {
         if (ok(z)) return Zahl(z.ergebnis.Chi, 2);
         return Zelle{StatusText(z.fit), StatusText(z.fit), QJsonValue(QJsonValue::Undefined)};
       }},
      {"P(X²)", "p", fit(&TAnpassung::PChi, 4)},
      {"C", "c", fit(&TAnpassung::Kontingenz, 4)},
      {"DF", "df", [ok](const Zeile& z) { return Falls(ok(z), Ganz(z.ergebnis.FG)); }},
      {"R²", "r2", fit(&TAnpassung::R2, 4)},
  };
  // Free parameters first, then fixed ones, in catalog order; a column the file's fit did not
  // report reads 0.
  for (std::size_t k = 0; k < parameterNamen.size(); ++k) {
    t.push_back({parameterNamen[k], "",
                 [ok, k](const Zeile& z) {
                   const TVerteilungsparameter& p = z.parameter;
                   const double w = k < p.ParZahl ? p.Parameter[k].Wert
                                    : k < p.ParZahl + p.FestParZahl
                                        ? p.Festparameter[k - p.ParZahl].Wert
                                        : 0;
                   return Falls(ok(z), Zahl(w, 4));
                 },
                 kImText | kImCsv});
  }
  t.push_back({"", "parameters",
               [ok](const Zeile& z) {
                 return Falls(ok(z), Zelle{"", "", ParameterJson(z.parameter)});
               },
               kImJson});
  const auto statistik = [](const Zeile& z) -> std::vector<double> {
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
  };
  static const char* const kopf[] = {"N",      "x-max",   "NP1",      "m1",    "m2",
                                     "m3",     "m4",      "Ord I",    "Ord S", "Skewness",
                                     "Excess", "Entropy", "Rep. rate"};
  static const char* const schluessel[] = {"N",      "xMax",    "np1",       "m1",   "m2",
                                           "m3",     "m4",      "ordI",      "ordS", "skewness",
                                           "excess", "entropy", "repeatRate"};
  t.push_back({"N", "",
               [](const Zeile& z) { return Ganz(static_cast<long long>(z.statistik.summe)); },
               kImText | kImCsv});
  t.push_back({"x-max", "", [](const Zeile& z) { return Ganz(z.xMax); }, kImText | kImCsv});
  for (std::size_t i = 2; i < std::size(kopf); ++i)
    t.push_back({kopf[i], "", [statistik, i](const Zeile& z) { return Zahl(statistik(z)[i], 4); },
                 kImText | kImCsv});
  t.push_back({"", "statistics",
               [statistik](const Zeile& z) {
                 QJsonObject o;
                 const std::vector<double> w = statistik(z);
                 for (std::size_t i = 0; i < w.size(); ++i) o.insert(schluessel[i], w[i]);
                 return Zelle{"", "", o};
               },
               kImJson});
  t.push_back({"Refined", "refined",
               [ok](const Zeile& z) {
                 const bool ja = ok(z) && z.ergebnis.Verfeinert;
                 return Zelle{ja ? "yes" : "", ja ? "true" : "false",
                              ok(z) ? QJsonValue(ja) : QJsonValue(QJsonValue::Undefined)};
               },
               (verfeinerung ? kImText : 0u) | kImCsv | kImJson});
  return t;
}

// The list in its format, written row by row. CSV and JSON go out as the rows come; the text
// table aligns its columns over all rows, so it keeps the formatted cells until the end.
class Ausgabe {
 public:
  Ausgabe(Format format, const TVerteilung& ref, const std::vector<std::string>& parameterNamen,
          bool verfeinerung, bool ausTabelle)
      : format_(format),
        ref_(ref),
        spalten_(Batchtabelle(parameterNamen, verfeinerung, ausTabelle)),
        tabelle_(TextKopf(spalten_), format == Format::kText),
        csv_(stdout) {
    if (format_ == Format::kCsv) csv_.Row(CsvKopf(spalten_, true));
  }

  // On the worker's thread: the row's CSV or JSON text, so that writing it costs little.
  void Formatieren(struct Zeile& z) const {
    if (z.lesen != status::kOk || format_ == Format::kText) return;
    if (format_ == Format::kCsv) {
      z.ausgabe = CsvWriter::Text(CsvZeile(spalten_, z));
      return;
    }
    if (format_ == Format::kJsonLines) {
      z.ausgabe = KompaktesJson(JsonObjekt(spalten_, z));
      return;
    }
    QByteArray objekt = QJsonDocument(JsonObjekt(spalten_, z)).toJson(QJsonDocument::Indented);
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
    } else if (format_ == Format::kText) {
      tabelle_.Row(TextZeile(spalten_, z));
    } else {
      std::fputs(z.ausgabe.c_str(), stdout);
    }
  }

  void Ende() {
    if (format_ == Format::kText) tabelle_.Print(stdout);
    if (format_ != Format::kJson) return;
    if (jsonZeilen_ == 0) {
      PrintJson(stdout, Dokument(QJsonArray{}));
      return;
    }
    std::fputs(jsonSchluss_.c_str(), stdout);
  }

 private:
  QJsonDocument Dokument(const QJsonArray& dateien) const {
    return QJsonDocument(QJsonObject{
        {"distribution", QJsonObject{{"index", static_cast<qint64>(ref_.Index)},
                                     {"name", QString::fromStdString(ref_.Bezeichnung)}}},
        {"files", dateien}});
  }

  // Each file's object is formatted on its own (Formatieren) and indented to its place in the
  // document, so the streamed text is byte for byte what the whole document would print: the
  // document with one marker element, cut at the marker, gives what comes before the first and
  // after the last.
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

  static constexpr const char* kMarke = "marke";
  Format format_;
  const TVerteilung& ref_;
  Tabelle<struct Zeile> spalten_;
  TextTable tabelle_;
  CsvWriter csv_;
  std::size_t jsonZeilen_ = 0;
  std::string jsonSchluss_;
};

// What the command line asked for, checked.
struct Batchauftrag {
  Format format = Format::kText;
  unsigned jobs = 1;
  TEinstellungen einstellungen;
  FixedParameters fest;
  std::optional<TKatalogeintrag> eintrag;
  QStringList dateien;
  std::optional<TabellenOptionen> tabelle;  // a long table in place of the files
};

// Parses and checks the arguments against the catalog; an exit code when the command must stop.
std::optional<int> AuftragLesen(const QStringList& args, Verteilungsverzeichnis& katalog,
                                Batchauftrag& auftrag) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Fits one distribution to every FILE and lists the best method of each, with the file's "
      "statistics. A file that cannot be read is reported on standard error and skipped.");
  parser.addOption({{"d", "distribution"}, "Catalog index or display name.", "DIST"});
  parser.addOption({"jobs", "Files fitted in parallel (default: the number of cores).", "N"});
  AddFixedOption(parser);
  AddOptimisationOptions(parser);
  AddTableOptions(parser);
  parser.addPositionalArgument("FILE", "Input data files.", "FILE...");
  int exitCode = 0;
  const auto format = ParseCommandLine(parser, args, "batch", exitCode, true);
  if (!format) return exitCode;
  auftrag.format = *format;
  if (!ReadTableOptions(parser, "batch", auftrag.tabelle)) return kExitUsage;
  if (auftrag.tabelle.has_value() != parser.positionalArguments().isEmpty() ||
      !parser.isSet("distribution")) {
    std::fprintf(stderr, "kalibra batch: -d DIST and either FILEs or --table TABLE expected\n");
    return kExitUsage;
  }
  auftrag.jobs = std::max(1u, std::thread::hardware_concurrency());
  if (parser.isSet("jobs")) {
    bool ok = false;
    auftrag.jobs = parser.value("jobs").toUInt(&ok);
    if (!ok || auftrag.jobs == 0) {
      std::fprintf(stderr, "kalibra batch: --jobs takes a positive whole number\n");
      return kExitUsage;
    }
  }
  if (!ReadOptimisationOptions(parser, auftrag.einstellungen, "batch") ||
      !auftrag.fest.Parse(parser, "batch"))
    return kExitUsage;
  if (const Status st = LoadCatalog(katalog, "batch"); st != status::kOk)
    return static_cast<int>(st);
  auftrag.eintrag = FindDistribution(katalog, parser.value("distribution"), "batch");
  if (!auftrag.eintrag) return kExitUsage;
  if (!auftrag.fest.Check(std::span(&*auftrag.eintrag, 1), "batch")) return kExitUsage;
  auftrag.dateien = parser.positionalArguments();
  return std::nullopt;
}

}  // namespace

int RunBatch(const QStringList& args) {
  Verteilungsverzeichnis katalog;
  Batchauftrag auftrag;
  if (const auto code = AuftragLesen(args, katalog, auftrag)) return *code;
  const TKatalogeintrag& eintrag = *auftrag.eintrag;
  const TVerteilung ref = Referenz(eintrag);
  std::unique_ptr<std::istream> tabellenStream;
  std::unique_ptr<ShardTableSource> tabelle;
  if (auftrag.tabelle) {
    tabellenStream = TabelleStream(*auftrag.tabelle, "batch");
    if (!tabellenStream) return static_cast<int>(status::kException);
    tabelle = std::make_unique<ShardTableSource>(*tabellenStream, *auftrag.tabelle);
  }
  // Parameter columns: the distribution's parameters and fixed parameters, in catalog order.
  std::vector<std::string> parameterNamen;
  for (std::uint32_t k = 0; k < eintrag.parameterZahl; ++k)
    parameterNamen.push_back(eintrag.parameter[k].bezeichnung);
  for (std::uint32_t k = 0; k < eintrag.festparameterZahl; ++k)
    parameterNamen.push_back(eintrag.festparameter[k].bezeichnung);
  Ausgabe ausgabe(auftrag.format, ref, parameterNamen, auftrag.einstellungen.Verfeinerung,
                  tabelle != nullptr);

  const QStringList& dateien = auftrag.dateien;
  const std::size_t anzahl = static_cast<std::size_t>(dateien.size());
  InstallAbortHandler();
  const bool fortschritt = ProgressWanted();
  Status ergebnis = status::kOk;
  // A write that failed (a full disk) ends the batch: the files after it would be fitted for
  // nothing.
  bool schreibfehler = false;
  std::size_t ausgegeben = 0;
  const auto ausgeben = [&](Zeile& z) {
    if (fortschritt) std::fprintf(stderr, "\r%30s\r", "");
    std::fputs(z.meldungen.c_str(), stderr);
    const Status st = z.lesen != status::kOk ? z.lesen : z.fit;
    if (st != status::kOk && ergebnis == status::kOk) ergebnis = st;
    if (z.lesen == status::kOk) ausgabe.Zeile(z);
    ++ausgegeben;
    if (fortschritt) {
      if (tabelle) {
        std::fprintf(stderr, "\r[%zu]", ausgegeben);
      } else {
        std::fprintf(stderr, "\r[%zu/%zu]", ausgegeben, anzahl);
      }
    }
    if (std::ferror(stdout)) schreibfehler = true;
  };
  const auto weiter = [&] { return !AbortRequested() && !schreibfehler; };
  // Each worker keeps its engine from data set to data set (setting one up costs more than
  // fitting a small file); only the read-only catalog is shared.
  const auto neu = [&] {
    auto engine = std::make_unique<Anpassungen>(katalog);
    engine->EinstellungenUebernehmen(auftrag.einstellungen);
    return engine;
  };
  // Rows leave in input order as soon as all before them are done.
  if (tabelle) {
    // Table rows are read only as workers ask for them, so memory stays flat.
    GeordnetAbarbeiten<Tabellendatensatz, Zeile, Anpassungen>(
        auftrag.jobs, kFenster,
        [&]() -> std::optional<Tabellendatensatz> {
          return weiter() ? tabelle->Naechster() : std::nullopt;
        },
        neu,
        [&](Anpassungen& engine, Tabellendatensatz& d) {
          Zeile z;
          DatensatzAnpassen(engine, auftrag.fest, ref, d, z);
          ausgabe.Formatieren(z);
          return z;
        },
        ausgeben);
  } else {
    std::size_t naechste = 0;
    GeordnetAbarbeiten<std::size_t, Zeile, Anpassungen>(
        static_cast<unsigned>(std::min<std::size_t>(auftrag.jobs, anzahl)), kFenster,
        [&]() -> std::optional<std::size_t> {
          if (naechste >= anzahl || !weiter()) return std::nullopt;
          return naechste++;
        },
        neu,
        [&](Anpassungen& engine, std::size_t& i) {
          Zeile z;
          z.datei = LokalerPfad(dateien[static_cast<qsizetype>(i)]);
          DateiAnpassen(engine, auftrag.fest, ref, z);
          ausgabe.Formatieren(z);
          return z;
        },
        ausgeben);
  }
  FinishingOutput();
  const std::string abbruchGrund = schreibfehler ? std::string("the output could not be written")
                                                 : StatusText(status::kAbort) + ", Ctrl-C";
  if (tabelle) {
    if (!weiter()) {
      std::fprintf(stderr, "kalibra batch: the table was not read to its end (%s) after %zu data sets\n",
                   abbruchGrund.c_str(), ausgegeben);
      if (ergebnis == status::kOk) ergebnis = status::kAbort;
    } else if (!tabelle->Abbruch().empty()) {
      std::fprintf(stderr, "kalibra batch: %s\n", tabelle->Abbruch().c_str());
      if (ergebnis == status::kOk) ergebnis = status::kException;
    }
  }
  // After Ctrl-C the files never started count as cut off, in their place in the order, and are
  // named, so that the user knows which ones to run again.
  for (std::size_t i = ausgegeben; !tabelle && i < anzahl; ++i) {
    Zeile z;
    z.datei = LokalerPfad(dateien[static_cast<qsizetype>(i)]);
    z.meldungen = "kalibra batch: " + z.datei + ": not started (" + abbruchGrund + ")\n";
    ausgeben(z);
  }
  if (fortschritt) std::fprintf(stderr, "\r%30s\r", "");
  ausgabe.Ende();
  return static_cast<int>(ergebnis);
}

}  // namespace vk::cli
