// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "python/src/Datenbestand.h"

namespace vk::py {

using Festvorgaben = std::map<std::string, double>;

// The four fittings as the command line runs them, each with the interpreter's lock released
// while the engine works. A fit and the special fitting answer the package's FitResult, the
// others plain dictionaries and numpy arrays (the package wraps them in its result classes);
// they raise Fehler where the command line ends without a result; Ctrl-C raises
// KeyboardInterrupt.
pybind11::object Anpassen(const Datenbestand& d, std::uint32_t index, const Festvorgaben& fest,
                          bool alleMethoden, const pybind11::handle& settings);
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
pybind11::object Spezial(const Datenbestand& d, const Spezialauftrag& auftrag,
                         const pybind11::handle& settings);

}  // namespace vk::py
