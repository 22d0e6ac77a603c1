// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "distributions/Member.h"

// The declaration of every member's record, from the one list in Mitgliederliste.inc. A member's
// unit includes this so that its `const` record, defined there, has external linkage; the
// registry includes it to enter the records into its table.
namespace vk::members {

#define VK_MITGLIED(name) extern const Member name;
#include "distributions/Mitgliederliste.inc"
#undef VK_MITGLIED

}  // namespace vk::members
