// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <optional>
#include <string>
#include <vector>

#include "app/kalibra/Ergebnistabellen.h"
#include "app/kalibra/Output.h"
#include "core/Datensatz.h"
#include "fitting/Anpassbericht.h"
#include "fitting/Anpassungsguete.h"
#include "fitting/Ergebnis.h"

namespace vk::cli {

// What a fit reported through its callbacks, with the file and distribution it was of.
struct FitReport : Anpassbericht {
  std::string datei;
  TVerteilung verteilung;
  Status status = status::kOk;
  // The standard errors asked for; none: the report is the plain fit's.
  const Inferenzbericht* inferenz = nullptr;

  void Drucken(Format format) const;

 private:
  std::vector<Klassenzeile> Klassenzeilen() const;
};

// How a result's refinement reads: in CSV's `refined` column "true", "false", or "incomplete"
// where the refinement ended early; in text the mark after the method or status.
std::string VerfeinertCsv(const TAnpassung& a);
std::string VerfeinertZusatz(const TAnpassung& a);
// Adds "refinementIncomplete": true where the refinement ended early (absent otherwise, so a
// classic fit's JSON is what it was).
void VerfeinertJson(QJsonObject& o, const TAnpassung& a);

// "name=value" pairs of the free and the fixed parameters; fixed ones are marked.
std::string ParameterText(const TVerteilungsparameter& p);
QJsonArray ParameterJson(const TVerteilungsparameter& p);
// With standard errors (where `inferenz` holds figures): each free parameter's object gains "se"
// (a number or null) and, with a bootstrap, "ci" ([lower, upper], null for none).
QJsonArray ParameterJson(const TVerteilungsparameter& p, const Inferenzbericht* inferenz);

// The x of a class's pooling target (GepooltInX) as a table or CSV cell (empty for none) and as
// JSON (null for none).
std::string GepooltText(std::optional<std::uint32_t> x);
QJsonValue GepooltJson(std::optional<std::uint32_t> x);

// A value that is not a number (NaN, an infinity) is written as none: null in JSON, an empty CSV
// cell, "-" in a table.
QJsonValue ZahlJson(double v);
std::string FormatExactOderLeer(double v);
std::string FormatFixedOderStrich(double v, int stellen);

// Why a final evaluation found no distribution, as ": ..." to follow the status text; empty when
// it found one.
std::string VerwerfungGrund(const Verteilungspruefung& v, const TDatensatz& d);

}  // namespace vk::cli
