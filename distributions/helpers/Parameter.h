// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "catalog/Defs.h"

namespace vk {

// Forces each free parameter j < parZahl into its domain by the corrections whose flag [j] is
// set, in the fixed order zwischenNullundEins, positiveZahl, ueberEins, unterMinusEins,
// natuerlicheZahl, zwischenMinusEinsundEins, natuerlicheZahlMit0, groesserNull, kleinerEins,
// groesserGleichMinusEins; each step sees the result of the previous one.
void ParameterKorrigieren(Parametervektor& p, const TParameterEigenschaften& eig);

// The flags of each parameter as bits, in the order above (bit 0 zwischenNullundEins ... bit 9
// groesserGleichMinusEins), 0 beyond parZahl: a fit's evaluations share them, so they are read
// out of the properties once.
using Korrekturen = std::array<std::uint16_t, kMaxParameter>;
Korrekturen KorrekturenLesen(const TParameterEigenschaften& eig);
// ParameterKorrigieren from `ein` into `aus` (which may be `ein`), element by element for
// j < anzahl. A vertex the simplex has just written element by element is read back the same
// way: a block copy of it would wait for the writes to reach the cache.
void ParameterKorrigieren(const Parametervektor& ein, Parametervektor& aus, const Korrekturen& k,
                          std::uint32_t anzahl);

// x below 0.0001 becomes 0.01; otherwise x of 1 or more becomes 0.98.
void InEinheitsintervallKorrigieren(double& x);

// x below 0 becomes |x|.
void NichtNegativMachen(double& x);

// x below 1 becomes 2 - x.
void UeberEinsSpiegeln(double& x);

// Int(x + 0.5), Int truncating toward zero; the result stays a double, so that no value can
// leave an integer's range here.
double KaufmaennischRunden(double x);

// A count taken from a double (a number of trials, a truncation point) for use as a loop bound
// or index: x truncated toward zero when 0 <= x <= grenze. Anything else, NaN included, raises
// the invalid fault and yields 0, so the loop it bounds stays harmless while the enclosing
// FpFaultScope reports the failed evaluation.
std::uint32_t BegrenzteAnzahl(double x, std::uint32_t grenze);

}  // namespace vk
