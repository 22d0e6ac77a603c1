// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The member operations by number, for tests and benchmarks that call one member at a time: each
// resolves the member and runs the handle's operation, returning false, and doing nothing, where
// the library has no member of that number. The engine holds a handle instead and never comes
// here. Each operation comes twice: with the member's inputs in one record, and with the separate
// arguments of the routine contract, which build that record. The contract gives the alternative
// routine no statistics and no values; its record carries empty ones, which no alternative reads.
#include <cstdint>

#include "catalog/Defs.h"
#include "core/Datensatz.h"
#include "distributions/Dispatch.h"
#include "distributions/Member.h"

namespace vk {

inline bool SchaetzwerteBerechnen(std::uint32_t nummer, const Eingaben& in, Schaetzwerttabelle& E) {
  return MitgliedAufloesen(nummer).SchaetzwerteBerechnen(in, E);
}

inline bool SchaetzwerteBerechnen(std::uint32_t nummer, const TStatistik& stat,
                                  const TParameterEigenschaften& eig, Schaetzwerttabelle& E,
                                  const KlassenHaeufigkeiten& f, const KlassenWerte& x) {
  return SchaetzwerteBerechnen(nummer, Eingaben{stat, f, x, eig}, E);
}

inline bool AlternativeWaehlen(std::uint32_t nummer, const Eingaben& in, std::uint32_t k,
                               const Schaetzwerttabelle& E, Parametervektor& p) {
  return MitgliedAufloesen(nummer).AlternativeWaehlen(in, k, E, p);
}

inline bool AlternativeWaehlen(std::uint32_t nummer, std::uint32_t k, const Schaetzwerttabelle& E,
                               const KlassenHaeufigkeiten& f, Parametervektor& p,
                               const TParameterEigenschaften& eig) {
  static const TStatistik keineStatistik{};
  static const KlassenWerte keineWerte{};
  return AlternativeWaehlen(nummer, Eingaben{keineStatistik, f, keineWerte, eig}, k, E, p);
}

inline bool ErwartungswerteBerechnen(std::uint32_t nummer, const Eingaben& in, Parametervektor& p,
                                     Erwartungswerte& NP) {
  return MitgliedAufloesen(nummer).ErwartungswerteBerechnen(in, p, NP);
}

inline bool ErwartungswerteBerechnen(std::uint32_t nummer, Parametervektor& p,
                                     const TStatistik& stat, const KlassenWerte& x,
                                     const KlassenHaeufigkeiten& f, Erwartungswerte& NP,
                                     const TParameterEigenschaften& eig) {
  return ErwartungswerteBerechnen(nummer, Eingaben{stat, f, x, eig}, p, NP);
}

}  // namespace vk
