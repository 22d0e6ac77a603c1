// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fitting/Einstellungen.h"

class QSettings;

namespace vk {

// The per-user store: organisation "Tessaro", application "Vostra-Kalibra", sections "OptPar"
// and "FitPar", every value a string. The forms without a QSettings use the user's store (the
// registry on Windows, an INI file elsewhere). A missing or malformed value reads as its default.
void OptParLesen(OptimisationSettings& s);
void OptParSchreiben(const OptimisationSettings& s);
void FitParLesen(PresentationSettings& s);
void FitParSchreiben(const PresentationSettings& s);

void OptParLesen(QSettings& store, OptimisationSettings& s);
void OptParSchreiben(QSettings& store, const OptimisationSettings& s);
void FitParLesen(QSettings& store, PresentationSettings& s);
void FitParSchreiben(QSettings& store, const PresentationSettings& s);

}  // namespace vk
