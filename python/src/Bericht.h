// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "catalog/Katalogeintrag.h"
#include "fitting/Anpassbericht.h"

namespace vk {
class Anpassungen;
}

namespace vk::py {

class Festwerte;
class Unterbrechbar;

// One class row as a result reports it: x, f, NP and the x of the class its X² cell was pooled
// into (-1 for a cell of its own).
struct Klasse {
  std::uint32_t x = 0;
  double f = 0, np = 0;
  std::int64_t gepooltIn = -1;
};

// The best method's class rows.
std::vector<Klasse> Klassenzeilen(const Anpassbericht& b);

// Fits `verteilung` on `engine` (which holds the data set and settings) method by method, the
// best one only unless `alleMethoden`, into `b`. Needs no interpreter lock; `poll` is the abort
// poll. The status is the engine's.
Status BerichtAnpassen(Anpassungen& engine, const TVerteilung& verteilung, bool alleMethoden,
                       Festwerte& festwerte, Unterbrechbar& poll, Anpassbericht& b);
// Raises Fehler where the fit of `e` ended without a result: a usage error naming a fixed
// parameter that had no value, or the status of a fit without a best method.
void BerichtPruefen(Status st, const Anpassbericht& b, const Festwerte& festwerte,
                    const TKatalogeintrag& e);

}  // namespace vk::py
