// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/Registry.h"

#include <array>

#include "distributions/members/Members.h"

namespace vk {

namespace {

// The registration table: one line per member, ascending by number. Listing members here,
// rather than letting each unit register itself from a static initialiser, keeps every member in
// the link even from a static library, and makes the set of members visible in one place.
constexpr std::array kTabelle{
    &members::kM000Binomial,
    &members::kM006HyperPascal,
    &members::kM016PoissonNegativeBinomial,
    &members::kM205SpecialModel,
};

using Nachschlagetabelle = std::array<const Member*, kVerteilungsSlots>;

Nachschlagetabelle NachschlagetabelleBauen() {
  Nachschlagetabelle t{};
  // A number outside the slots or a second member with the same number is left out here; the
  // registry test reports both.
  for (const Member* m : kTabelle) {
    if (m->nummer < t.size() && t[m->nummer] == nullptr) t[m->nummer] = m;
  }
  return t;
}

}  // namespace

std::span<const Member* const> Mitglieder() {
  return kTabelle;
}

const Member* MitgliedSuchen(std::uint32_t nummer) {
  // Built once, on first use; the initialisation of a function-local static is thread-safe.
  static const Nachschlagetabelle tabelle = NachschlagetabelleBauen();
  return nummer < tabelle.size() ? tabelle[nummer] : nullptr;
}

}  // namespace vk
