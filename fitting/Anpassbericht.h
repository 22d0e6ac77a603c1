// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "catalog/Defs.h"
#include "core/Datensatz.h"
#include "fitting/Ergebnis.h"

namespace vk {

// One method's figures and, where the fit reported them, its parameters.
struct Methodenbericht {
  TAnpassung ergebnis;
  TVerteilungsparameter parameter;
  bool mitParametern = false;
};

// What a fit reports through its callbacks, kept for the host to present: the methods, the best
// one, its class rows. Plain values, so that a fit on a worker thread can fill it.
struct Anpassbericht {
  std::vector<Methodenbericht> methoden;
  bool hatBeste = false;
  Methodenbericht beste;
  std::vector<TWerte> klassen;  // of the best method, without the summary row
  TWerte summe;

  // Callbacks that fill this report; the class rows of single methods are not kept.
  void Verbinden(Rueckrufe& r);
};

// The x of the class that class `w` of `klassen` was pooled into for X², none where it keeps
// a cell of its own.
std::optional<std::uint32_t> GepooltInX(const TWerte& w, const std::vector<TWerte>& klassen);

}  // namespace vk
