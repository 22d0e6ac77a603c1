// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "fitting/Einstellungen.h"

namespace vk {

// The sane range of each optimisation value. Values outside are finite but absurd: a reflection
// of 1e308 throws every vertex out of range, so that each fit runs to its step limit and ends
// in a fault. The command line refuses them, the settings reader keeps the default instead.
struct Einstellungsbereich {
  const char* schluessel;  // the settings key
  const char* option;      // the command-line option
  double min, max;
  bool minOffen;  // min itself is excluded
  bool ganz;      // a whole number
  double TEinstellungen::*zahl;
  std::uint32_t TEinstellungen::*anzahl;
};

// clang-format off
inline constexpr Einstellungsbereich kEinstellungsbereiche[] = {
    {"Reflektionsweite", "reflection", 0, 100, true, false, &TEinstellungen::Reflektionsweite, nullptr},
    {"Expansionsweite", "expansion", 0, 100, true, false, &TEinstellungen::Expansionsweite, nullptr},
    {"Kontraktionsgröße", "contraction", 0, 1, true, false, &TEinstellungen::Kontraktionsgroesse, nullptr},
    {"Abbruchkriterium", "abort-criterion", 0, 1e6, false, false, &TEinstellungen::Abbruchkriterium, nullptr},
    {"Mindestklassengröße", "min-class-size", 0, 1e6, false, false, &TEinstellungen::Mindestklassengroesse, nullptr},
    {"Iterationswiederholungen", nullptr, 1, 1e7, false, true, nullptr, &TEinstellungen::Iterationswiederholungen},
    {"Optimierungsversuche", "max-steps", 1, 1e7, false, true, nullptr, &TEinstellungen::Optimierungsversuche},
};
// clang-format on

// Empty when `wert` lies in the range, else the rule it breaks ("a number above 0 and at most
// 100", "a whole number from 1 to 10000000").
inline std::string BereichPruefen(const Einstellungsbereich& b, double wert) {
  const bool drin = (b.minOffen ? wert > b.min : wert >= b.min) && wert <= b.max &&
                    (!b.ganz || wert == static_cast<double>(static_cast<std::int64_t>(wert)));
  if (drin) return {};
  const auto text = [](double v) {
    std::string s = std::to_string(v);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s;
  };
  if (b.ganz) return "a whole number from " + text(b.min) + " to " + text(b.max);
  return std::string("a number ") + (b.minOffen ? "above " : "from ") + text(b.min) +
         (b.minOffen ? " and at most " : " to ") + text(b.max);
}

}  // namespace vk
