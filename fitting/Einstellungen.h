// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "fitting/Intervallart.h"

namespace vk {

// The user's optimisation criteria: the simplex factors, its stop rules and the pooling bound.
struct TEinstellungen {
  double Reflektionsweite = 1.0;       // alpha
  double Expansionsweite = 2.0;        // gamma
  double Kontraktionsgroesse = 0.5;    // beta
  double Abbruchkriterium = 0.0001;    // stop when the spread of the simplex's X² is at most this
  double Mindestklassengroesse = 1.0;  // classes with NP not above this are pooled
  std::uint32_t Iterationswiederholungen = 1;  // kept and edited, read by no fitting
  std::uint32_t Optimierungsversuche = 320;    // most simplex steps in one cycle
  // After each method's classic cycle, restart axis-wise from its best vertex (off: the classic
  // engine alone).
  bool Verfeinerung = false;
};

// The standard errors a selected fit computes after it; none by default, so that a fit's figures
// are what they were. Read by the desktop; the command line takes its options instead.
struct InferenzEinstellungen {
  std::uint32_t Bootstrap = 0;  // B samples; 0: no bootstrap
  std::uint64_t Seed = 1;
  bool Kruemmung = false;  // the errors from the curvature of X²
  Intervallart Intervall = Intervallart::kPerzentil;  // how the bootstrap's intervals are read
};
// More samples than a run can use in a day; a larger stored value reads as the default.
inline constexpr std::uint32_t kMaxBootstrapProben = 1'000'000;

// What the desktop keeps between sessions besides the criteria.
struct TAnzeigeeinstellungen {
  bool NurBesteMethode = false;
  bool AuswahlHilfe = false;
  int KalibraFensterX = 0;
  int KalibraFensterY = 0;
  int GrafFensterX = 0;
  int GrafFensterY = 0;
  int GrafFensterW = 635;
  int GrafFensterH = 443;
};

}  // namespace vk
