// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/Datensatz.h"
#include "distributions/Dispatch.h"
#include "distributions/Member.h"

namespace vk {

// Whether data with the classes x[0..n] and frequencies f suit a member with this support rule.
bool TraegerPasst(Traeger traeger, const KlassenWerte& x, const KlassenHaeufigkeiten& f,
                  std::uint32_t n);

// Whether the data suit the member, by the support rule in its record: some distributions are
// defined only for data that start at 1, at 0, above 0 or above 1 (and one only for data with an
// inner gap). A handle without a member passes: the set-up refuses it before it asks.
bool TraegerPruefen(const MemberHandle& mitglied, const KlassenWerte& x,
                    const KlassenHaeufigkeiten& f, std::uint32_t n);

}  // namespace vk
