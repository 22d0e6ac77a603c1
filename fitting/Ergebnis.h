// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

#include "catalog/Defs.h"
#include "catalog/Festparameter.h"
#include "core/Datensatz.h"
#include "core/Status.h"

namespace vk {

// The result record of one method (alternative), of the best method, or of one distribution of
// an automatic fitting.
struct TAnpassung {
  double Chi = 0;
  double PChi = 0;
  double Kontingenz = 0;
  double R2 = 0;
  TVerteilung Verteilung;
  std::uint32_t FG = 0;
  std::uint32_t Methode = 0;
  std::uint32_t Alternativen = 0;
  std::uint32_t Status = 0;  // a status code; 0 for a result
  bool BesteMethode = false;
  bool Verfeinert = false;  // the refinement improved on the classic cycle
  // The refinement ended early (a fault, a failed evaluation, its budget used up); the result is
  // still never worse than the classic one.
  bool VerfeinerungUnvollstaendig = false;
};

// What a fitting mode tells its host and asks of it. Every reporting callback returns a status;
// a non-zero one stops the fit with it. An empty callback counts as answering 0 (or true for
// the continue poll, false for the abort poll), so a host sets only what it shows.
struct Rueckrufe {
  std::function<Status(const TAnpassung&)> ergebnis;
  std::function<Status(const TVerteilungsparameter&)> parameter;
  std::function<Status(const TWerte&)> klasse;
  FestparameterErfragen festparameter;
  std::function<bool()> abbruch;  // polled once per simplex step
  std::function<bool()> weiter;   // asked after every method; false ends the fit with 11
};

}  // namespace vk
