// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "catalog/Defs.h"
#include "core/Datensatz.h"

namespace vk {

// Estimates of the free parameters: row j (50 slots) holds the estimates of free parameter j,
// so E[j * 50 + s] is estimate s of parameter j. Filled by a member's estimate routine and read
// by its alternative routine; the engine owns it.
inline constexpr std::size_t kSchaetzSlots = 50;
using Schaetzwerttabelle = std::array<double, kMaxParameter * kSchaetzSlots>;

// Expected frequencies NP[i] of the classes 0..L; elements above L are not written.
using Erwartungswerte = std::array<double, kMaxKlassen>;

// The three routines every member consists of. They read only their arguments (the statistics,
// the classes 0..stat.n of the frequencies and values, the parameter properties) and write only
// through the one non-const reference they take. A member's expected-frequency routine receives
// the vector already passed through ParameterKorrigieren by the dispatch; its own repairs (for
// example raising a number of trials to L) it writes back into that vector.
using SchaetzRoutine = void (*)(const TStatistik& stat, const TParameterEigenschaften& eig,
                                Schaetzwerttabelle& E, const KlassenHaeufigkeiten& f,
                                const KlassenWerte& x);
using AlternativRoutine = void (*)(std::uint32_t k, const Schaetzwerttabelle& E,
                                   const KlassenHaeufigkeiten& f, Parametervektor& p,
                                   const TParameterEigenschaften& eig);
using ErwartungsRoutine = void (*)(Parametervektor& p, const TStatistik& stat,
                                   const KlassenWerte& x, const KlassenHaeufigkeiten& f,
                                   Erwartungswerte& NP, const TParameterEigenschaften& eig);

// One distribution of the library: its declared signature and its three routines. Each member
// is one unit under distributions/members/ and one entry of the registry.
struct Member {
  std::uint32_t nummer;        // the catalog's "Index", 0..222
  std::uint32_t parZahl;       // free parameters, in catalog order
  std::uint32_t festparZahl;   // fixed parameters, read from festparameter[0..2]
  std::uint32_t alternativen;  // alternatives 1..alternativen of AlternativeWaehlen
  const char* name;            // English standard name, for reference and listings
  SchaetzRoutine schaetzwerte;
  AlternativRoutine alternative;
  ErwartungsRoutine erwartungswerte;
};

}  // namespace vk
