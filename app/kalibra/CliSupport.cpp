// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/CliSupport.h"

#include <unistd.h>
#include <QCoreApplication>
#include <atomic>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "catalog/Festparameter.h"
#include "catalog/VerzeichnisLaden.h"
#include "core/Format.h"
#include "core/DatenDatei.h"
#include "fitting/EinstellungenSpeicher.h"
#include "fitting/Einstellungsbereiche.h"
#include "fitting/GegebeneWerte.h"
#include "fitting/KatalogPruefung.h"

namespace vk::cli {

Status ReadDataFile(const std::string& pfad, TDatensatz& daten, TDateneigenschaften& e) {
  std::string detail;
  const Status st = DateiLesen(pfad, daten, e, detail, AbortRequested);
  if (st != status::kOk) {
    std::fprintf(stderr, "%s\n", LesefehlerText(pfad, st).c_str());
    if (!detail.empty()) std::fprintf(stderr, "  %s\n", detail.c_str());
  }
  return st;
}

Status LoadCatalog(Verteilungsverzeichnis& katalog, const char* command) {
  const std::filesystem::path programm = QCoreApplication::applicationDirPath().toStdString();
  std::string meldung, hinweis;
  const Status st = KatalogLaden(programm, katalog, meldung, hinweis);
  if (!hinweis.empty()) std::fprintf(stderr, "kalibra %s: %s\n", command, hinweis.c_str());
  if (st != status::kOk) std::fprintf(stderr, "kalibra %s: %s\n", command, meldung.c_str());
  return st;
}

std::optional<TKatalogeintrag> FindDistribution(const Verteilungsverzeichnis& katalog,
                                                const QString& dist, const char* command) {
  bool istZahl = false;
  const uint index = dist.trimmed().toUInt(&istZahl);
  if (istZahl) {
    if (auto e = katalog.VerteilungHolen(index)) return e;
  } else {
    for (std::uint32_t i = 0; i < kVerteilungsSlots; ++i) {
      auto e = katalog.VerteilungHolen(i);
      if (e &&
          QString::fromStdString(e->bezeichnung).compare(dist.trimmed(), Qt::CaseInsensitive) == 0)
        return e;
    }
  }
  std::fprintf(stderr,
               "kalibra %s: no distribution '%s' in the catalog (give an index or a name from "
               "'kalibra list')\n",
               command, qPrintable(dist));
  return std::nullopt;
}

bool ParseNumber(const QString& text, double& value) {
  const std::string s = text.trimmed().toStdString();
  if (s.empty()) return false;
  const char* first = s.data() + (s[0] == '+' ? 1 : 0);
  double v = 0;
  const auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), v);
  // "inf" and "nan" parse, but no fit can use them: they are refused here, where the option is
  // known, rather than ending every fit in "Exception".
  if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

void AddOptimisationOptions(QCommandLineParser& parser) {
  parser.addOption({"reflection", "Reflection factor of the simplex.", "value"});
  parser.addOption({"expansion", "Expansion factor of the simplex.", "value"});
  parser.addOption({"contraction", "Contraction factor of the simplex.", "value"});
  parser.addOption(
      {"abort-criterion", "Stop a cycle when the spread of X² is at most this.", "value"});
  parser.addOption(
      {"min-class-size", "Pool classes whose expected frequency is not above this.", "value"});
  parser.addOption({"max-steps", "Most simplex steps in one optimisation cycle.", "count"});
  parser.addOption({"refine",
                    "After each method's classic cycle, restart the simplex axis-wise from its "
                    "best vertex while X² improves (keeps a result only where it is better)."});
  parser.addOption({"no-refine", "The classic cycle alone, whatever the saved settings say."});
}

bool ReadOptimisationOptions(const QCommandLineParser& parser, TEinstellungen& s,
                             const char* command) {
  std::vector<std::string> warnungen;
  OptParLesen(s, &warnungen);
  for (const std::string& w : warnungen)
    std::fprintf(stderr, "kalibra %s: %s\n", command, w.c_str());
  // Each value at the door, against its documented range: a finite but absurd value (a
  // reflection of 1e308) would turn every fit into minutes of steps that end in a fault.
  for (const Einstellungsbereich& b : kEinstellungsbereiche) {
    if (b.option == nullptr || !parser.isSet(b.option)) continue;
    double wert = 0;
    const bool zahl = ParseNumber(parser.value(b.option), wert);
    const std::string regel = BereichPruefen(b, zahl ? wert : -1e300);
    if (!zahl || !regel.empty()) {
      std::fprintf(stderr, "kalibra %s: --%s takes %s, not '%s'\n", command, b.option,
                   regel.c_str(), qPrintable(parser.value(b.option)));
      return false;
    }
    if (b.zahl != nullptr)
      s.*b.zahl = wert;
    else
      s.*b.anzahl = static_cast<std::uint32_t>(wert);
  }
  if (parser.isSet("refine") && parser.isSet("no-refine")) {
    std::fprintf(stderr, "kalibra %s: --refine and --no-refine exclude each other\n", command);
    return false;
  }
  if (parser.isSet("refine")) s.Verfeinerung = true;
  if (parser.isSet("no-refine")) s.Verfeinerung = false;
  return true;
}

void AddFixedOption(QCommandLineParser& parser) {
  parser.addOption({"fixed", "Value of a fixed parameter (repeatable).", "NAME=VALUE"});
}

bool FixedParameters::Check(std::span<const TKatalogeintrag> eintraege, const char* command) const {
  const std::optional<Festwertverstoss> v = FestwertVerstoss(given_, eintraege);
  if (!v) return true;
  if (!v->grund.empty()) {
    std::fprintf(stderr, "kalibra %s: --fixed %s=%g: %s %s (condition %s)\n", command,
                 v->name.c_str(), v->wert, v->name.c_str(), v->grund.c_str(),
                 v->bedingung.c_str());
  } else {
    std::fprintf(stderr, "kalibra %s: --fixed: no fixed parameter '%s'; %s\n", command,
                 v->name.c_str(),
                 v->namen.empty() ? "the distribution has none"
                                  : ("the fixed parameters are:" + v->namen).c_str());
  }
  return false;
}

bool FixedParameters::Parse(const QCommandLineParser& parser, const char* command) {
  for (const QString& item : parser.values("fixed")) {
    const qsizetype gleich = item.indexOf('=');
    double wert = 0;
    if (gleich <= 0 || !ParseNumber(item.mid(gleich + 1), wert)) {
      std::fprintf(stderr, "kalibra %s: --fixed takes NAME=VALUE with a finite number, not '%s'\n",
                   command, qPrintable(item));
      return false;
    }
    given_[item.left(gleich).trimmed().toStdString()] = wert;
  }
  return true;
}

FestparameterErfragen FixedParameters::Callback(const TDatensatz& daten) {
  return FestwerteNachNamen(given_, daten, missing_);
}

int OpenSession(QCommandLineParser& parser, const QStringList& args, const char* command,
                bool mitVerteilung, bool mitFest, Session& s) {
  if (mitVerteilung)
    parser.addOption({{"d", "distribution"}, "Catalog index or display name.", "DIST"});
  if (mitFest) AddFixedOption(parser);
  AddOptimisationOptions(parser);
  parser.addPositionalArgument("FILE", "Input data file.");
  int exitCode = 0;
  const auto format = ParseCommandLine(parser, args, command, exitCode);
  if (!format) return exitCode;
  s.format = *format;
  if (parser.positionalArguments().size() != 1 ||
      (mitVerteilung && !parser.isSet("distribution"))) {
    std::fprintf(stderr, "kalibra %s: %s expected\n", command,
                 mitVerteilung ? "one FILE and -d DIST" : "exactly one FILE");
    return kExitUsage;
  }
  TEinstellungen einstellungen;
  if (!ReadOptimisationOptions(parser, einstellungen, command)) return kExitUsage;
  if (mitFest && !s.fest.Parse(parser, command)) return kExitUsage;
  if (const Status st = LoadCatalog(s.katalog, command); st != status::kOk)
    return static_cast<int>(st);
  if (mitVerteilung) {
    s.eintrag = FindDistribution(s.katalog, parser.value("distribution"), command);
    if (!s.eintrag) return kExitUsage;
    if (mitFest && !s.fest.Check(std::span(&*s.eintrag, 1), command)) return kExitUsage;
  }
  s.datei = LokalerPfad(parser.positionalArguments().front());
  s.engine = std::make_unique<Anpassungen>(s.katalog);
  s.engine->EinstellungenUebernehmen(einstellungen);
  TDateneigenschaften e;
  if (const Status st = ReadDataFile(s.datei, s.engine->DatenZumLesen(), e); st != status::kOk)
    return static_cast<int>(st);
  if (AbortRequested()) return Abgebrochen(command);
  return -1;
}

namespace {
std::vector<std::string> gRoh;
}  // namespace

void RoheArgumente(int argc, char** argv) {
  gRoh.assign(argv, argv + argc);
}

std::string LokalerPfad(const QString& argument) {
  for (const std::string& roh : gRoh)
    if (QString::fromLocal8Bit(roh) == argument) return roh;
  // "--option=FILE" and the like: the part after '=' of an argument that carries it.
  for (const std::string& roh : gRoh) {
    const auto gleich = roh.find('=');
    if (gleich != std::string::npos && QString::fromLocal8Bit(roh.substr(gleich + 1)) == argument)
      return roh.substr(gleich + 1);
  }
  return argument.toLocal8Bit().toStdString();
}

std::string AusnahmeGrund(const TDatensatz& daten) {
  const double n = daten.Statistik.summe;
  // The square root of the smallest normal and of the largest number.
  constexpr double kKlein = 1.4916681462400413e-154, kGross = 1.3407807929942596e154;
  if (!daten.DatenGueltig || (n >= kKlein && n <= kGross)) return {};
  return "the frequencies add up to N = " + FormatExact(n) + ", too " +
         (n < kKlein ? "small" : "large") +
         ": the fit squares frequencies, and the square of N leaves the range of numbers "
         "(about 1e-308 to 1e308); scale the frequencies by a common factor";
}

int Abgebrochen(const char* command) {
  std::fprintf(stderr, "kalibra %s: %s (Ctrl-C)\n", command, StatusText(status::kAbort).c_str());
  return static_cast<int>(status::kAbort);
}

bool ProgressWanted() {
  return isatty(fileno(stderr)) != 0;
}

}  // namespace vk::cli
