// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "catalog/Defs.h"
#include "catalog/Festparameter.h"
#include "catalog/Katalogeintrag.h"
#include "core/Datensatz.h"
#include "core/Status.h"

namespace vk {

// Group masks of the distribution lists: every list and automatic fitting use 15; assisted
// selection uses 3, 5 or 9 by the first x value of the data (0, 1, 2 or more).
inline constexpr std::uint32_t kMaskeAlle = 15;

// The mask of a list: 15 without assisted selection, else by the data's first x value, and 0 (an
// empty list) when the data set is not valid.
std::uint32_t Gruppenmaske(bool assistiert, const TDatensatz& daten);

struct TVerteilungszahlen {
  std::uint32_t verteilungen = 0;
  std::uint32_t automatik = 0;
  std::uint32_t spezial = 0;
};

// Receives one distribution of a list; a non-zero status ends the list with that status.
using VerteilungAufnehmen = std::function<Status(const TVerteilung& verteilung)>;

// The distribution catalog: 223 slots, filled once when loaded and only queried afterwards.
// Entries leave it as copies. The walk of ErsteVerteilung / NaechsteVerteilung keeps its cursor
// in the catalog; a holder of a const catalog (the engine) walks with a cursor of its own.
class Verteilungsverzeichnis {
 public:
  Verteilungsverzeichnis() = default;
  explicit Verteilungsverzeichnis(Verteilungstabelle tabelle) : slots_(std::move(tabelle)) {}
  Verteilungsverzeichnis(Verteilungsverzeichnis&&) = default;
  Verteilungsverzeichnis& operator=(Verteilungsverzeichnis&&) = default;

  std::optional<TKatalogeintrag> ErsteVerteilung(std::uint32_t maske);
  std::optional<TKatalogeintrag> NaechsteVerteilung(std::uint32_t maske);
  std::optional<TKatalogeintrag> ErsteVerteilung(std::uint32_t maske, int& cursor) const;
  std::optional<TKatalogeintrag> NaechsteVerteilung(std::uint32_t maske, int& cursor) const;

  // The entry in slot `index`, or none for an empty slot or an index beyond 222.
  std::optional<TKatalogeintrag> VerteilungHolen(std::uint32_t index) const;

  TVerteilungszahlen VerteilungenZaehlen() const;

  // Passes the reference of every entry that the list's mask selects to `aufnehmen`, in index
  // order. 2 when assisted selection has no valid data; the callback's first non-zero status;
  // 12 when the callback throws.
  Status VerteilungenAuflisten(bool assistiert, const TDatensatz& daten,
                               const VerteilungAufnehmen& aufnehmen) const;

  // Names, counts and domain flags of the distribution into `pe`; the fixed-parameter values are
  // left alone. 7 for an empty slot; 5 unless parameters plus fixed parameters are fewer than the
  // last class index `n` (the properties are set all the same).
  Status ParameterEigenschaftenSetzen(const TVerteilung& verteilung, TParameterEigenschaften& pe,
                                      std::uint32_t n) const;

  // The parameter set without values (every `Wert` 0). 7 for an empty slot.
  Status VerteilungsparameterHolen(const TVerteilung& verteilung, TVerteilungsparameter& out) const;
  // With values: the parameters from `werte` (the engine passes the current or the best
  // alternative's vector) and the fixed parameters from `pe.festparameter`.
  Status VerteilungsparameterHolen(const TVerteilung& verteilung, const Parametervektor& werte,
                                   const TParameterEigenschaften& pe,
                                   TVerteilungsparameter& out) const;

  // Asks `erfragen` for the fixed parameters' values and, on 0, stores them in
  // `pe.festparameter`. 0 without asking when the distribution has none; 7 for an empty slot;
  // otherwise the callback's status (16 when there is no callback).
  Status FestparameterHolen(const TVerteilung& verteilung, const FestparameterErfragen& erfragen,
                            TParameterEigenschaften& pe) const;

 private:
  const TKatalogeintrag* Eintrag(std::uint32_t index) const;
  std::optional<TKatalogeintrag> Suchen(std::uint32_t maske, int ab, int& cursor) const;

  Verteilungstabelle slots_;
  int cursor_ = -1;
};

}  // namespace vk
