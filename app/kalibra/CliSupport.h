// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "app/kalibra/Output.h"
#include "app/kalibra/Unterbrechung.h"
#include "catalog/Verteilungsverzeichnis.h"
#include "core/DatenLesen.h"
#include "fitting/Anpassungen.h"
#include "fitting/Einstellungen.h"

namespace vk::cli {

// Reads an input data file; on failure prints the reader's message and where, and returns the
// status.
Status ReadDataFile(const std::string& pfad, TDatensatz& daten, TDateneigenschaften& eigenschaften);

// Loads "Kalibra.bxm" from the current directory, else from beside the program; on failure
// prints why and returns the status.
Status LoadCatalog(Verteilungsverzeichnis& katalog, const char* command);

// DIST is a catalog index or a display name, case ignored. Prints an error when neither.
std::optional<TKatalogeintrag> FindDistribution(const Verteilungsverzeichnis& katalog,
                                                const QString& dist, const char* command);

// --reflection, --expansion, --contraction, --abort-criterion, --min-class-size, --max-steps,
// --refine, --no-refine.
void AddOptimisationOptions(QCommandLineParser& parser);
// The persisted settings (else the built-in defaults), overridden by the options given.
bool ReadOptimisationOptions(const QCommandLineParser& parser, TEinstellungen& s,
                             const char* command);

// --fixed NAME=VALUE (repeatable): values for fixed parameters. They take precedence over the
// values read off the data, as an edited field of the desktop's dialog would.
void AddFixedOption(QCommandLineParser& parser);
class FixedParameters {
 public:
  bool Parse(const QCommandLineParser& parser, const char* command);
  // Every given name is a fixed parameter of one of `eintraege` and its value suits that
  // parameter's condition; otherwise a usage message naming the valid names or the rule.
  bool Check(std::span<const TKatalogeintrag> eintraege, const char* command) const;
  // Automatic values first, then the given ones; 16 when one is still missing (see Missing).
  FestparameterErfragen Callback(const TDatensatz& daten);
  const std::string& Missing() const { return missing_; }

 private:
  std::map<std::string, double> given_;
  std::string missing_;
};

// What every fitting command sets up: the catalog, the distribution of -d (when the command has
// that option), the fixed-parameter values of --fixed, and an engine holding the data of FILE.
struct Session {
  Verteilungsverzeichnis katalog;
  std::optional<TKatalogeintrag> eintrag;
  std::unique_ptr<Anpassungen> engine;
  FixedParameters fest;
  std::string datei;
  Format format = Format::kText;
};

// Adds FILE, -d DIST (with `mitVerteilung`), --fixed (with `mitFest`), the optimisation options
// and --format to `parser`, parses `args` and loads everything. Returns the exit code when the
// command should stop (help, a usage error, a catalog or read failure), else -1.
int OpenSession(QCommandLineParser& parser, const QStringList& args, const char* command,
                bool mitVerteilung, bool mitFest, Session& s);

// Ctrl-C came before the command had anything to print: says so and returns 11 (Abort).
int Abgebrochen(const char* command);

// Progress goes to standard error, and only when that is a terminal.
bool ProgressWanted();

// The command line as the system gave it, before Qt decoded it (main hands it over first).
void RoheArgumente(int argc, char** argv);
// A file name argument as the system's bytes: a name that is not valid in the locale's encoding
// (Latin-1 bytes under UTF-8) cannot survive the round trip through QString, so the argument
// it came from is used as it was given.
std::string LokalerPfad(const QString& argument);

// Why a fit on `daten` may end in "Exception" when the data alone explain it: the sample size so
// small or so large that its square (X² squares differences of frequencies) leaves the range
// of numbers. Empty when the data do not explain it.
std::string AusnahmeGrund(const TDatensatz& daten);

// A number in "." notation; false when `text` is not one.
bool ParseNumber(const QString& text, double& value);

}  // namespace vk::cli
