// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/Registry.h"

#include <array>
#include <atomic>

#include "distributions/members/Members.h"

namespace vk {

namespace {

// The registration table, ascending by number, from the one list of members. Listing members
// there, rather than letting each unit register itself from a static initialiser, keeps every
// member in the link even from a static library, and makes the set of members visible in one
// place.
constexpr std::array kTabelle{
#define VK_MITGLIED(name) &members::name,
#include "distributions/Mitgliederliste.inc"
#undef VK_MITGLIED
};

using Nachschlagetabelle = std::array<const Member*, kVerteilungsSlots>;

// Relaxed: a count, read by a test once the lookups it counts are done; it orders nothing.
std::atomic<std::uint64_t> nachschlagungen{0};

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
  nachschlagungen.fetch_add(1, std::memory_order_relaxed);
  // Built once, on first use; the initialisation of a function-local static is thread-safe.
  static const Nachschlagetabelle tabelle = NachschlagetabelleBauen();
  return nummer < tabelle.size() ? tabelle[nummer] : nullptr;
}

std::uint64_t Nachschlagungen() {
  return nachschlagungen.load(std::memory_order_relaxed);
}

}  // namespace vk
