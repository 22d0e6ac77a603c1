// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/Datensatz.h"

namespace vk {
class Anpassungen;
}

namespace vk::py {

// The classes 0..n of a data set and their statistics, without the room for 20001 classes a
// TDatensatz keeps: a batch holds thousands of data sets.
struct Klassen {
  std::vector<std::uint32_t> x;
  std::vector<double> f;
  TStatistik statistik;
};

// A data set as the module hands it around: read once, never changed afterwards, shared by any
// number of fits on any number of threads.
struct Datenbestand {
  std::shared_ptr<const Klassen> daten;
  std::string datei;  // the file it was read from; empty for arrays
};

// Reads an input data file with the command line's reader and checks; raises Fehler with the
// reader's status and message (the line and token where the file says so).
Datenbestand DateiEinlesen(const std::string& pfad);
// The same, reading into `platz` (a worker's engine's room) rather than this thread's own.
Datenbestand DateiEinlesen(const std::string& pfad, TDatensatz& platz);

// The same checks over records given as arrays: x whole numbers in strictly ascending order,
// f finite. Raises Fehler like a file that held these records.
Datenbestand FelderEinlesen(std::span<const double> x, std::span<const double> f);

// Reads the classes of `von` into `engine` as a fresh read of the same records would: the engine
// forgets what it had prepared for its previous data set, and computes the same statistics.
void DatenUebertragen(const Datenbestand& von, Anpassungen& engine);

}  // namespace vk::py
