// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>

#include "catalog/Katalogeintrag.h"
#include "catalog/Verteilungsverzeichnis.h"
#include "fitting/Anpassungen.h"
#include "fitting/Einstellungen.h"
#include "python/src/Datenbestand.h"

namespace vk::py {

// The catalog the package ships, loaded once when the package is imported and read-only after
// that; every engine of every thread shares it.
void KatalogLaden(const std::string& datei);
const Verteilungsverzeichnis& Katalog();
// The entry at `index`; a usage error when there is none.
TKatalogeintrag Eintrag(std::uint32_t index);

// This thread's engine, holding `daten` and `einstellungen`. An engine is about 1 MB and owns
// the state of one fit, so each thread keeps one for all its fits instead of building one per
// call; engines of different threads share nothing but the catalog.
Anpassungen& Engine(const Datenbestand& daten, const TEinstellungen& einstellungen);
// Gives `engine` the data set and settings of the next fit.
void Vorbereiten(Anpassungen& engine, const Datenbestand& daten,
                 const TEinstellungen& einstellungen);

// The optimisation settings of a Settings object (attributes reflection, expansion,
// contraction, abort_criterion, min_class_size, max_steps, refine); None gives the built-in
// defaults. Each value is checked against the range the command line enforces.
TEinstellungen EinstellungenLesen(const pybind11::handle& settings);

}  // namespace vk::py
