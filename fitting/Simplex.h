// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "catalog/Defs.h"
#include "core/Status.h"
#include "fitting/Einstellungen.h"

namespace vk {

inline constexpr std::uint32_t kMaxEcken = kMaxParameter + 1;

// The p + 1 vertices with their X² and class counts. Vertex 0 is the best after a sort.
struct Simplex {
  std::array<Parametervektor, kMaxEcken> ecke{};
  std::array<double, kMaxEcken> chiQuadrat{};
  std::array<std::uint32_t, kMaxEcken> klassen{};
};

// What the optimiser minimises: X² of a parameter vector of one distribution on the data set.
class Zielfunktion {
 public:
  virtual ~Zielfunktion() = default;
  // Forces the vector into the parameters' domains (ParameterKorrigieren).
  virtual void Korrigieren(Parametervektor& v) const = 0;
  // X² of a corrected vector (10 000 000 for a failed evaluation) and its class count.
  virtual double ChiQuadrat(const Parametervektor& v, std::uint32_t& klassen) = 0;
};

// The caller's poll for a cancel request, asked once per simplex step.
struct Abbruchabfrage {
  bool (*abfrage)(void* benutzerdaten) = nullptr;
  void* benutzerdaten = nullptr;
  [[nodiscard]] bool Abbrechen() const { return abfrage != nullptr && abfrage(benutzerdaten); }
};

// Sorts the vertices 0..p by ascending X² (an exchange only on strictly greater X²), keeping X²
// and class counts with their vertices.
void SimplexSortieren(Simplex& s, std::uint32_t p, const Zielfunktion& ziel);

// How a cycle moves. The classic form scales the whole start vector for its start simplex (so
// its vertices lie on one ray through the origin) and takes the absolute value of every new
// coordinate. The axis-wise form, which the refinement uses, moves each coordinate on its own by
// a relative step of its value (by the step itself where it is 0) and keeps signs: the domains
// come from the correction alone.
enum class Simplexform { kKlassisch, kAchsenweise };

// The refinement's relative steps: kAchsenSchritt, widened tenfold up to kGroessterAchsenSchritt
// while restarts gain nothing, and at most kMaxNeustarts axis-wise cycles in all.
inline constexpr double kAchsenSchritt = 0.1;
inline constexpr double kGroessterAchsenSchritt = 100;
inline constexpr std::uint32_t kMaxNeustarts = 40;
// After a restart that gains, the move from the old best to the new one is repeated with
// doubling lengths while X² keeps falling, at most kMaxMusterschritte times: a long narrow
// valley (a shape parameter running to infinity while another runs to its edge) is followed
// along its direction, which axis-wise steps leave at once.
inline constexpr std::uint32_t kMaxMusterschritte = 40;

// One optimisation cycle from the start vector in vertex 0 (already corrected). Returns true
// when the cycle ended normally (by the spread, the step limit or five equal spreads); false on a
// degenerate spread or a cancel, which sets `status` to 11.
bool Optimierungszyklus(Simplex& s, std::uint32_t p, Zielfunktion& ziel,
                        const TEinstellungen& einstellungen, const Abbruchabfrage& abbruch,
                        Status& status, Simplexform form = Simplexform::kKlassisch,
                        double achsenSchritt = kAchsenSchritt);

// The refinement: axis-wise cycles restarted from the best vertex found so far while a cycle
// lowers X² by more than the abort criterion; a restart that gains no more than that is tried
// again with tenfold steps (a long, nearly flat valley, as of a shape parameter running off to
// infinity, is crossed by wide steps only) until the widest, at most kMaxNeustarts cycles. Starts
// from vertex 0 (already corrected) and leaves the best vertex in every place of the simplex with
// its X² and class count. Returns false only on a cancel (status 11). `erschoepft`, where given,
// tells whether the cycles ran out (kMaxNeustarts) while restarts were still gaining: the search
// was cut short, not ended by its own criterion.
bool Verfeinern(Simplex& s, std::uint32_t p, Zielfunktion& ziel,
                const TEinstellungen& einstellungen, const Abbruchabfrage& abbruch, Status& status,
                bool* erschoepft = nullptr);

}  // namespace vk
