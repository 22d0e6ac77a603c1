// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "distributions/Member.h"

// The member objects, one declaration per member, grouped by family. Each is defined in its own
// unit members/MnnnName.cpp and listed once in the table of Registry.cpp.
namespace vk::members {

// Binomial family
extern const Member kM000Binomial;

// Pascal (negative binomial) family
extern const Member kM006HyperPascal;

// Compound (stopped-sum) family
extern const Member kM016PoissonNegativeBinomial;

// Special-fitting model
extern const Member kM205SpecialModel;

}  // namespace vk::members
