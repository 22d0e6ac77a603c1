// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pybind11/pybind11.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "python/src/Datenbestand.h"

namespace vk::py {

// A flag that stops every fit it is handed to at its next poll: a batch sets it when its
// consumer is interrupted, so that the workers end too.
struct Stopp {
  std::atomic<bool> gesetzt{false};
};

using Festvorgaben = std::map<std::string, double>;

// The four fittings as the command line runs them, each with the interpreter's lock released
// while the engine works. They answer plain dictionaries and numpy arrays (the package wraps
// them in its result classes) and raise Fehler where the command line ends without a result;
// Ctrl-C raises KeyboardInterrupt.
pybind11::dict Anpassen(const Datenbestand& d, std::uint32_t index, const Festvorgaben& fest,
                        bool alleMethoden, const pybind11::handle& settings, Stopp* stopp);
pybind11::dict Auswerten(const Datenbestand& d, std::uint32_t index,
                         const std::vector<double>& parameter, const Festvorgaben& fest,
                         const pybind11::handle& settings);
pybind11::dict Automatik(const Datenbestand& d, const Festvorgaben& fest,
                         const pybind11::handle& settings);

// The special model's coefficients a0, a1, a2 (values and which are fixed) and the preflight
// ranges of b1 and b2 (START, STOP, DELTA; none for the default -n..n in steps of 2n/100).
struct Spezialauftrag {
  double a[3] = {0, 0, 0};
  bool fest[3] = {false, false, false};
  std::optional<std::vector<double>> b1, b2;
  unsigned threads = 0;
};
pybind11::dict Spezial(const Datenbestand& d, const Spezialauftrag& auftrag,
                       const pybind11::handle& settings);

}  // namespace vk::py
