// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "catalog/Defs.h"

namespace vk {

// A free parameter as the catalog file declares it.
struct TKatalogParameter {
  std::string bezeichnung;
  std::uint32_t eigenschaften = 0;  // domain bits 0..9, see TParameterEigenschaften
};

// A fixed parameter as the catalog file declares it.
struct TKatalogFestparameter {
  std::string bezeichnung;
  std::string bedingung;  // condition code, e.g. "g1=xN"
  std::string beschreibung;
};

// Everything the catalog file says of one distribution (the long form; `TVerteilung` is the
// short reference that lists and results carry).
struct TKatalogeintrag {
  std::uint32_t index = 0;
  std::string bezeichnung;
  std::uint32_t gruppen = 0;
  std::uint32_t alternativen = 0;
  std::uint32_t parameterZahl = 0;
  std::uint32_t festparameterZahl = 0;
  std::array<TKatalogParameter, kMaxParameter> parameter{};
  std::array<TKatalogFestparameter, kMaxFestparameter> festparameter{};
  bool automatik = false;
  bool spezial = false;
};

// Slot k holds the entry whose index is k, or nothing.
using Verteilungstabelle = std::array<std::unique_ptr<const TKatalogeintrag>, kVerteilungsSlots>;

// The short reference of an entry.
TVerteilung Referenz(const TKatalogeintrag& eintrag);

}  // namespace vk
