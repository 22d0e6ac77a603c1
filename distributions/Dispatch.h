// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "catalog/Defs.h"
#include "core/Datensatz.h"
#include "distributions/Member.h"
#include "distributions/helpers/Parameter.h"

namespace vk {

// The engine's only way into the library. A fit resolves its member once, by the catalog's
// "Index", into a handle; the support check reads the handle's record and every routine runs
// through it, so the registry is asked once per fit and never inside a fit's evaluations.
//
// Inputs are read through const references and never changed; the outputs are the named
// non-const arguments. No routine allocates. Floating-point faults are not caught here: a
// division by zero, an invalid operation or an overflow inside a member raises its flag, and
// the caller's FpFaultScope turns that into a failed evaluation. A data set whose last class
// index stat.n lies beyond the arrays raises the invalid flag and computes nothing.

struct Auswertung;

class MemberHandle {
 public:
  // No member: what MitgliedAufloesen gives for a number the library does not have.
  MemberHandle() = default;
  explicit MemberHandle(const Member& m) : mitglied_(&m) {}

  explicit operator bool() const { return mitglied_ != nullptr; }
  // The member's record; only on a handle that has a member.
  const Member& Eintrag() const { return *mitglied_; }

  // The three operations. Each returns false, and does nothing, on a handle without a member.
  //
  // Fills the member's slots of `E` from the data.
  bool SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) const;
  // Writes elements 0..parZahl-1 of `p`, the start vector of alternative `k` (1-based); for a k
  // outside the member's alternatives only the elements all of them share.
  bool AlternativeWaehlen(const Eingaben& in, std::uint32_t k, const Schaetzwerttabelle& E,
                          Parametervektor& p) const;
  // Passes `p` through ParameterKorrigieren and the member's own repairs (both written back
  // into `p`), then writes NP[0..stat.n]. `NP` must not be the same array as `f`. A parameter,
  // free or fixed, that is NaN or infinite after the corrections raises the invalid fault.
  bool ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& p, Erwartungswerte& NP) const;

  // What the evaluations of one fit share, for the properties and the data set of `in`.
  Auswertung AuswertungVorbereiten(const Eingaben& in) const;

 private:
  const Member* mitglied_ = nullptr;
};

// The member with this number, as a handle; an empty handle where the library has none.
MemberHandle MitgliedAufloesen(std::uint32_t nummer);

// What the evaluations of one fit share, resolved once when it starts: the member, how many free
// parameters to check, and whether the fixed parameters and the class count (which a fit does not
// change) pass their checks.
struct Auswertung {
  MemberHandle mitglied;
  Korrekturen korrekturen{};
  std::uint32_t frei = 0;
  bool festEndlich = true;
  bool klassenImBereich = true;
};

// The expected-frequency operation of a prepared member, with the properties and the data set it
// was prepared for: the same values and the same faults, without preparing again. The vector is
// `ecke`, corrected into `p` (which may be `ecke`); `p` beyond the parameters checked keeps what
// it held. Only for an Auswertung that has a member.
void ErwartungswerteBerechnen(const Auswertung& a, const Eingaben& in, const Parametervektor& ecke,
                              Parametervektor& p, Erwartungswerte& NP);

}  // namespace vk
