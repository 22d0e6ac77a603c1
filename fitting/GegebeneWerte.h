// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed values given by name (a script's or a command line's), and the special model's fixed
// coefficients as a result lists them: shared by every surface that is not the desktop, so the
// command line and the Python package answer alike.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>

#include "catalog/Katalogeintrag.h"
#include "fitting/Anpassungen.h"

namespace vk {

// A query for the fixed parameters that takes each from `gegeben` by its name, else the value the
// data supply; a parameter with neither ends the fit as skipped, its name left in `fehlend`.
// `gegeben`, `daten` and `fehlend` must outlive the fit.
FestparameterErfragen FestwerteNachNamen(const std::map<std::string, double>& gegeben,
                                         const TDatensatz& daten, std::string& fehlend);

// A given fixed value that does not suit the distributions it is given for: its name and value,
// and either the rule of its parameter's condition that it breaks or, for a name that is no
// fixed parameter of any of them, the names that are.
struct Festwertverstoss {
  std::string name;
  double wert = 0;
  std::string grund;      // the broken rule; empty for an unknown name
  std::string bedingung;  // the condition's code
  std::string namen;      // the valid names, " a, b"; empty when there are none
};

// The first value of `gegeben` that does not suit `eintraege`; none when every one does.
std::optional<Festwertverstoss> FestwertVerstoss(const std::map<std::string, double>& gegeben,
                                                 std::span<const TKatalogeintrag> eintraege);

// The engine reports the special model's coefficients in their order, fixed or not; a result
// lists the fixed ones as fixed, as every fitting does.
TVerteilungsparameter SpezielleFesteMarkieren(const TVerteilungsparameter& vp,
                                              const Spezialvorgaben& v);

}  // namespace vk
