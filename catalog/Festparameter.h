// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "catalog/Defs.h"
#include "core/Datensatz.h"
#include "core/Status.h"

namespace vk {

using Festparameterfeld = std::array<TFestparameter, kMaxFestparameter>;

// The host's answer to "which values do these fixed parameters take?": it receives the fixed
// parameters of the distribution (names, conditions, descriptions) and their count, sets `Wert`
// of each of the first `anzahl`, and returns 0, or a non-zero status (16 when the user cancels)
// that stops the fit. The desktop callback fills in the automatic values first (with
// AutomatischeWerteEintragen) and shows its dialog only when one is missing.
using FestparameterErfragen =
    std::function<Status(Festparameterfeld& festparameter, std::uint32_t anzahl)>;

// The value a condition code reads off the data set, when it names one:
//   "g?=x0" x[0];  "g?=xN" x[n];
//   "g?=xL" the x just before the first empty class after class 0 (x[n] when none is empty);
//   "g?=xR" the first non-empty x after the first gap that follows class 1 (x[n] when the scan
//           reaches the last class first);
//   "r?=1..." of 13 characters: 1 - f[0]/N;  "r?=e..." of 9 characters: f[0]/N;
// with N the data set's integer total. False for any other code, for data that are not valid
// and for an integer total of 0.
bool AutomatischerWert(const std::string& bedingung, const TDatensatz& daten, double& wert);

// A fixed parameter takes whole numbers when its condition code starts with G or g.
bool GanzzahligerFestparameter(const std::string& bedingung);

// The largest whole-number fixed parameter: a count beyond the classes any data set can have is
// no count a member can use.
inline constexpr double kGroessterGanzzahligerFestwert = 1e7;

// Why `wert` cannot be the value of a fixed parameter with condition code `bedingung`, or empty
// when it can: it must be finite; a whole-number parameter (code starting with G or g) a count
// from 0 to kGroessterGanzzahligerFestwert; and a code that states a bound ("g1>0", "g1>=0",
// "k>0", "b>-1", "0<p<1") must hold. Other codes state nothing to check.
std::string FestwertPruefen(const std::string& bedingung, double wert);

// Sets `Wert` of each of the first `anzahl` fixed parameters that has an automatic value and
// marks it in `automatisch`; true when every one got a value.
bool AutomatischeWerteEintragen(Festparameterfeld& festparameter, std::uint32_t anzahl,
                                const TDatensatz& daten,
                                std::array<bool, kMaxFestparameter>& automatisch);

// A callback for hosts that cannot ask anyone (the command line, batch scripts): automatic values
// only, and 16 when a fixed parameter has none.
FestparameterErfragen NurAutomatischeWerte(const TDatensatz& daten);

}  // namespace vk
