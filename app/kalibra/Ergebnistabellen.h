// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/kalibra/Inferenz.h"
#include "app/kalibra/Tabelle.h"
#include "fitting/Anpassungen.h"
#include "fitting/Ergebnis.h"

namespace vk::cli {

// The lists of results that several commands print, each described once.

// A method's row of a fit: its result, its parameters where the fit reported them, and whether it
// is the best method (CSV lists the best as a row of its own; JSON and text set it apart).
struct Methodenzeile {
  const TAnpassung* ergebnis = nullptr;
  const TVerteilungsparameter* parameter = nullptr;  // none: the method reported no parameters
  bool beste = false;
  // The best method's standard errors, where they were asked for.
  const Inferenzbericht* inferenz = nullptr;
};
const Tabelle<Methodenzeile>& Methodentabelle();
// The same with the standard errors: each free parameter's JSON object gains "se" and "ci";
// CSV gains the columns se, ci, pMonteCarlo and the bootstrap's counts. Used only when they were
// asked for, so that every other report stays as it was.
const Tabelle<Methodenzeile>& InferenzMethodentabelle();

// A class of a result: x, f, NP, and the x of the class it was pooled into for X².
struct Klassenzeile {
  std::uint32_t x = 0;
  double f = 0;
  double np = 0;
  std::optional<std::uint32_t> gepooltIn;
};
const Tabelle<Klassenzeile>& Klassentabelle();

// A distribution's row of the automatic list.
const Tabelle<TAnpassung>& Automatiktabelle();

// The figures of one evaluation of given parameters. Frequencies that are no distribution
// (`verworfen`) have no X², classes, DF, P, C or R²; too few degrees of freedom leave P without
// a value.
struct Auswertungszeile {
  const Anpassungen::Kennzahlen* kennzahlen = nullptr;
  const TVerteilungsparameter* parameter = nullptr;
  Status status = status::kOk;
  bool verworfen = false;
  bool genugFG = true;
};
const Tabelle<Auswertungszeile>& Auswertungstabelle();

}  // namespace vk::cli
