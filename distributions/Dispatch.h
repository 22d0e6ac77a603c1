// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "catalog/Defs.h"
#include "core/Datensatz.h"
#include "distributions/Member.h"
#include "distributions/helpers/Parameter.h"

namespace vk {

// The engine's only way into the library: the three routines of the member with number
// `nummer` (the catalog's "Index"). Each returns false, and does nothing, when the library has
// no member of that number. Inputs are read through const references and never changed; the
// outputs are the named non-const arguments. No routine allocates.
//
// Each operation comes twice: with the member's inputs in one record (what the engine builds
// once per data set), and with the separate arguments of the routine contract, which build that
// record and forward. The contract gives the alternative routine no statistics and no values;
// its record carries empty ones, which no alternative reads.
//
// Floating-point faults are not caught here: a division by zero, an invalid operation or an
// overflow inside a member raises its flag, and the caller's FpFaultScope turns that into a
// failed evaluation. A data set whose last class index stat.n lies beyond the arrays raises the
// invalid flag and computes nothing.

// Fills the member's slots of `E` from the data.
bool SchaetzwerteBerechnen(std::uint32_t nummer, const Eingaben& in, Schaetzwerttabelle& E);
bool SchaetzwerteBerechnen(std::uint32_t nummer, const TStatistik& stat,
                           const TParameterEigenschaften& eig, Schaetzwerttabelle& E,
                           const KlassenHaeufigkeiten& f, const KlassenWerte& x);

// Writes elements 0..parZahl-1 of `p`, the start vector of alternative `k` (1-based); for a k
// outside the member's alternatives only the elements all of them share.
bool AlternativeWaehlen(std::uint32_t nummer, const Eingaben& in, std::uint32_t k,
                        const Schaetzwerttabelle& E, Parametervektor& p);
bool AlternativeWaehlen(std::uint32_t nummer, std::uint32_t k, const Schaetzwerttabelle& E,
                        const KlassenHaeufigkeiten& f, Parametervektor& p,
                        const TParameterEigenschaften& eig);

// Passes `p` through ParameterKorrigieren and the member's own repairs (both written back into
// `p`), then writes NP[0..stat.n]. `NP` must not be the same array as `f`. A parameter, free or
// fixed, that is NaN or infinite after the corrections raises the invalid fault.
bool ErwartungswerteBerechnen(std::uint32_t nummer, const Eingaben& in, Parametervektor& p,
                              Erwartungswerte& NP);

// What the evaluations of one fit share, resolved once when it starts: the member, how many free
// parameters to check, and whether the fixed parameters and the class count (which a fit does not
// change) pass their checks.
struct Auswertung {
  const Member* mitglied = nullptr;
  Korrekturen korrekturen{};
  std::uint32_t frei = 0;
  bool festEndlich = true;
  bool klassenImBereich = true;
};
// Nullptr as the member where `nummer` is none.
Auswertung AuswertungVorbereiten(std::uint32_t nummer, const Eingaben& in);
// ErwartungswerteBerechnen for a prepared member, with the properties and the data set it was
// prepared for; the same values and the same faults. The vector is `ecke`, corrected into `p`
// (which may be `ecke`); `p` beyond the parameters checked keeps what it held.
void ErwartungswerteBerechnen(const Auswertung& a, const Eingaben& in, const Parametervektor& ecke,
                              Parametervektor& p, Erwartungswerte& NP);
bool ErwartungswerteBerechnen(std::uint32_t nummer, Parametervektor& p, const TStatistik& stat,
                              const KlassenWerte& x, const KlassenHaeufigkeiten& f,
                              Erwartungswerte& NP, const TParameterEigenschaften& eig);

}  // namespace vk
