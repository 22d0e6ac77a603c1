// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "catalog/Defs.h"
#include "core/Datensatz.h"

namespace vk {

// The estimate table: 10 rows of 50 slots, slot s of row j being E[j * 50 + s]. Rows group the
// estimates but do not belong to a parameter: which slots start which parameter is the member's
// own choice, stated in its alternatives (member 4 keeps p in row 0 and k in row 1). Filled by a
// member's estimate routine and read by its alternative routine; the engine owns it.
inline constexpr std::size_t kSchaetzSlots = 50;
static_assert(kSchaetzSlots == kMaxAlternativen, "a grid of alternatives takes one slot a row");
using Schaetzwerttabelle = std::array<double, kMaxParameter * kSchaetzSlots>;

// Expected frequencies NP[i] of the classes 0..L; elements above L are not written.
using Erwartungswerte = std::array<double, kMaxKlassen>;

// How a long evaluation asks whether the fit is to stop: the engine hands in its abort poll.
// Members whose cost grows with the square of the classes ask every kUnterbrechungsTakt class
// operations; a cancel then ends the evaluation within milliseconds instead of seconds.
struct Unterbrechung {
  bool (*abfragen)(void* daten) = nullptr;
  void* daten = nullptr;
};
inline constexpr std::uint32_t kUnterbrechungsTakt = 4096;

// Everything a member reads, in one read-only record that the dispatch builds: the statistics,
// the frequencies and values of the classes 0..stat.n, the parameter properties (fixed
// parameters in festparameter[0..2]) and, during a fit, the abort poll.
struct Eingaben {
  const TStatistik& stat;
  const KlassenHaeufigkeiten& f;
  const KlassenWerte& x;
  const TParameterEigenschaften& eig;
  const Unterbrechung* unterbrechung = nullptr;
};

// A member's three routines, each with the one thing it writes after its inputs. The
// expected-frequency routine receives the vector already passed through ParameterKorrigieren by
// the dispatch; its own repairs (raising a number of trials to L) it writes back into it.
using SchaetzRoutine = void (*)(const Eingaben& in, Schaetzwerttabelle& E);
using AlternativRoutine = void (*)(const Eingaben& in, std::uint32_t k, const Schaetzwerttabelle& E,
                                   Parametervektor& p);
using ErwartungsRoutine = void (*)(const Eingaben& in, Parametervektor& p, Erwartungswerte& NP);

// One parameter's start value in an alternative: the mean of the listed slots, taken in their
// order and divided by their count (one slot: that slot), or the absolute value of that mean.
inline constexpr std::size_t kMaxMittelSlots = 8;
struct Startwert {
  std::array<std::uint16_t, kMaxMittelSlots> nummern{};
  std::uint8_t anzahl = 0;
  bool betrag = false;

  constexpr Startwert(std::initializer_list<std::uint16_t> s) {
    for (std::uint16_t slot : s) nummern[anzahl++] = slot;
  }
};

// |mean of the slots|, for rows that give a start as an absolute value.
constexpr Startwert Betrag(Startwert w) {
  w.betrag = true;
  return w;
}

// One alternative: the start value of every free parameter, in vector order. A member whose
// rows read "Alt k: (p0, p1, ...)" lists its alternatives as a table of these, with the slot
// numbers as the rows write them: {{0}, {50}} is (E[0], E[50]), {{0, 1}, {53}} is
// ((E[0] + E[1])/2, E[53]).
struct Alternative {
  std::array<Startwert, kMaxParameter> werte{Startwert{}, Startwert{}, Startwert{}, Startwert{},
                                             Startwert{}, Startwert{}, Startwert{}, Startwert{},
                                             Startwert{}, Startwert{}};
  std::uint8_t parZahl = 0;

  constexpr Alternative(std::initializer_list<Startwert> w) {
    for (const Startwert& s : w) werte[parZahl++] = s;
  }
};

// How the last class L is formed. kBetrag: |N - (NP[0] + ... + NP[L-1])|, the common rule;
// kOhneBetrag: N minus that sum, negative when the classes below L hold more than N; kKeine:
// truncated at L, so the last class has a probability of its own like every other class.
enum class Restregel : std::uint8_t { kBetrag, kOhneBetrag, kKeine };

// Which data a member is defined for, by the first class value x[0]: every data set, only data
// starting at 1, not at 0, above 1, at 0, or at 0 with an inner gap in the frequencies (an empty
// class after a non-empty one, and later a non-empty one after an empty one).
enum class Traeger : std::uint8_t { kImmer, kEins, kNichtNull, kUeberEins, kNull, kNullMitLuecke };

// Below this times N an expected frequency is negative, not a rounding error around 0.
inline constexpr double kNegativProN = 1e-9;

// One distribution of the library: its signature, the facts the engine and the tests need of it,
// and its routines. Each member is one unit under distributions/members/, defined with
// designated initialisers, and one line of the registry.
struct Member {
  std::uint32_t nummer = 0;       // the catalog's "Index", 0..222
  const char* name = "";          // English standard name, for reference and listings
  std::uint32_t parZahl = 0;      // free parameters, in catalog order
  std::uint32_t festparZahl = 0;  // fixed parameters, read from festparameter[0..2]
  Traeger traeger = Traeger::kImmer;
  Restregel rest = Restregel::kBetrag;
  // How far below 0 (times N) a class may lie as rounding; beyond it the evaluation fails.
  double negativProN = kNegativProN;
  SchaetzRoutine schaetzwerte = nullptr;
  // The alternatives, as a table (the common case) or, where a start is computed rather than
  // taken from slots, as a routine with its number of alternatives.
  std::span<const Alternative> alternativenTabelle{};
  AlternativRoutine alternative = nullptr;
  std::uint32_t alternativenZahl = 0;
  ErwartungsRoutine erwartungswerte = nullptr;

  // Alternatives 1..Alternativen() are what AlternativeWaehlen accepts.
  constexpr std::uint32_t Alternativen() const {
    return alternative != nullptr ? alternativenZahl
                                  : static_cast<std::uint32_t>(alternativenTabelle.size());
  }
};

}  // namespace vk
