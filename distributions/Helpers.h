// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Everything a member unit uses besides its own formulas.
#include "core/FpFault.h"
#include "distributions/Member.h"
#include "distributions/helpers/Haeufigkeiten.h"
#include "distributions/helpers/Hypergeometrisch.h"
#include "distributions/helpers/Numerik.h"
#include "distributions/helpers/Parameter.h"
#include "distributions/helpers/Schemata.h"
