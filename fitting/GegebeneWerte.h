// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed values given by name (a script's or a command line's), and the special model's fixed
// coefficients as a result lists them: shared by every surface that is not the desktop, so the
// command line and the Python package answer alike.
#pragma once

#include <map>
#include <string>

#include "fitting/Anpassungen.h"

namespace vk {

// A query for the fixed parameters that takes each from `gegeben` by its name, else the value the
// data supply; a parameter with neither ends the fit as skipped, its name left in `fehlend`.
// `gegeben`, `daten` and `fehlend` must outlive the fit.
FestparameterErfragen FestwerteNachNamen(const std::map<std::string, double>& gegeben,
                                         const TDatensatz& daten, std::string& fehlend);

// The engine reports the special model's coefficients in their order, fixed or not; a result
// lists the fixed ones as fixed, as every fitting does.
TVerteilungsparameter SpezielleFesteMarkieren(const TVerteilungsparameter& vp,
                                              const Spezialvorgaben& v);

}  // namespace vk
