// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "fitting/Ergebnis.h"

namespace vk::cli {

// The order of the automatic list after a column click (p, r2, c, x2, df or name): P and R² best
// first, C, X² and DF smallest first, names alphabetically; rows without a fit go last, and equal
// rows keep the catalog's order. False for another column name.
bool AutomatikSortieren(std::vector<TAnpassung>& zeilen, const QString& spalte);

}  // namespace vk::cli
