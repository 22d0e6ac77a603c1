// SPDX-License-Identifier: GPL-3.0-or-later
// The fit command's standard errors: --bootstrap B, --seed S, --se curvature|bootstrap, and what
// they add to a fit's report.
#pragma once

#include <QCommandLineParser>
#include <QJsonObject>
#include <cstdint>
#include <string>

#include "fitting/Bootstrap.h"
#include "fitting/Einstellungen.h"
#include "fitting/Kruemmung.h"

namespace vk {
class Anpassungen;
}

namespace vk::cli {

// The seed of a bootstrap run without --seed: a fixed one, so that a run repeats.
inline constexpr std::uint64_t kStandardSeed = 1;
// More samples than any run can use in a day; a typo of a few digits is refused.
inline constexpr std::uint32_t kMaxBootstrap = kMaxBootstrapProben;

struct InferenzAuftrag {
  std::uint32_t bootstrap = 0;  // B; 0: none
  std::uint64_t seed = kStandardSeed;
  Intervallart intervall = Intervallart::kPerzentil;
  bool kruemmung = false;  // the standard errors from the curvature of X²
  bool An() const { return bootstrap > 0 || kruemmung; }
};

void AddInferenceOptions(QCommandLineParser& parser);
// False after a usage message.
bool ReadInferenceOptions(const QCommandLineParser& parser, InferenzAuftrag& auftrag,
                          const char* command);

// What a fit's report adds when standard errors were asked for.
struct Inferenzbericht {
  InferenzAuftrag auftrag;
  BootstrapErgebnis bootstrap;
  KruemmungsErgebnis kruemmung;
  bool gerechnet = false;  // the fit found a result and the figures below were computed

  // The standard error of free parameter k: the curvature's where asked for, else the
  // bootstrap's; NaN for none.
  double SE(std::uint32_t k) const;
  bool MitBootstrap() const { return gerechnet && auftrag.bootstrap > 0; }
  bool MitKruemmung() const { return gerechnet && auftrag.kruemmung; }
};

// Computes what `bericht.auftrag` asks for on the fit held by `engine`, with progress on a
// terminal and Ctrl-C stopping the bootstrap; true unless Ctrl-C cut the bootstrap short.
bool InferenzRechnen(Anpassungen& engine, const TVerteilung& v, Inferenzbericht& bericht);

// The "bootstrap" object of a report: {B, seed, interval, completed, failed, cancelled}.
QJsonObject BootstrapJson(const BootstrapErgebnis& b);
// The text lines under a result's figures: the Monte Carlo P with the run's counts, and why the
// curvature gave no errors.
std::string InferenzText(const Inferenzbericht& i);

}  // namespace vk::cli
