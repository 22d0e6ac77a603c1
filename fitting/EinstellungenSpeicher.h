// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "fitting/Einstellungen.h"

class QSettings;

namespace vk {

// The per-user store: organisation "Tessaro", application "Vostra-Kalibra", sections "OptPar"
// and "FitPar", every value a string. The forms without a QSettings use the user's store (the
// registry on Windows, an INI file elsewhere). A missing or malformed value reads as its default.
//
// An optimisation value that no fit can use (a number that is not finite, a step count below 1)
// reads as its default too, and `warnungen` (when given) receives a line naming the key, the
// value and the default. Such a value is never written: OptParSchreiben keeps what the store
// holds for it. Likewise a window setting that is not a whole number of the int range (a size
// below 1, a switch that is no number at all: 0 is off, any other number on).
void OptParLesen(TEinstellungen& s, std::vector<std::string>* warnungen = nullptr);
void OptParSchreiben(const TEinstellungen& s);
void FitParLesen(TAnzeigeeinstellungen& s, std::vector<std::string>* warnungen = nullptr);
void FitParSchreiben(const TAnzeigeeinstellungen& s);

// Section "Inferenz": Bootstrap (0 to kMaxBootstrapProben), Seed (a 64-bit whole number),
// Kruemmung (1 or 0).
void InferenzLesen(InferenzEinstellungen& s, std::vector<std::string>* warnungen = nullptr);
void InferenzSchreiben(const InferenzEinstellungen& s);
void InferenzLesen(QSettings& store, InferenzEinstellungen& s,
                   std::vector<std::string>* warnungen = nullptr);
void InferenzSchreiben(QSettings& store, const InferenzEinstellungen& s);

void OptParLesen(QSettings& store, TEinstellungen& s,
                 std::vector<std::string>* warnungen = nullptr);
void OptParSchreiben(QSettings& store, const TEinstellungen& s);
void FitParLesen(QSettings& store, TAnzeigeeinstellungen& s,
                 std::vector<std::string>* warnungen = nullptr);
void FitParSchreiben(QSettings& store, const TAnzeigeeinstellungen& s);

}  // namespace vk
