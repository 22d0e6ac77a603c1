// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Datensatz.h"
#include "core/Status.h"

namespace vk {

// Moments, factorial moments, parity indicators, shape figures, entropy and repeat rate of the
// classes 0..stat.n; reads stat.summe and stat.n, fills the rest of the moment fields.
// Faults are not caught here: the caller's FpFaultScope sees them.
void MomenteBerechnen(const KlassenWerte& x, const KlassenHaeufigkeiten& f, TStatistik& stat);

// The densest run of four neighbouring classes with positive frequencies, and the three
// frequency ratios inside it.
void ModusGruppeSuchen(const KlassenHaeufigkeiten& f, TStatistik& stat);

// Computes the statistics of a freshly read data set and fills the user's copy. Returns 3 for a
// data set without mass or with the single class x = 0, 12 on a floating-point fault (for
// example zero variance), else 0.
Status StatistikBerechnen(TDatensatz& daten, TDateneigenschaften& eigenschaften);

}  // namespace vk
