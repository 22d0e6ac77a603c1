// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "distributions/helpers/Numerik.h"

namespace vk {

// The scale of a running series that would leave the double range on its way to a mode (terms
// of a ratio, the classes of a linear recurrence, a row of a triangle, their sums): the values
// are carried divided by an exact power of two, so that the quotients the caller needs come out
// as they are. The caller owns the values and hands them in at each check; this object only
// multiplies them and counts.
//
// Invariant: after k scalings every value handed in each time holds its true value times
// 2^-(900 k). Values scaled together keep their quotients to the bit: a product with 2^-900 is
// exact while it stays a normal number; one that falls below the normal range (a class far from
// the one that passed the bound, negligible beside it) loses digits or becomes 0, and raises no
// fault.
//
// When: Halten(wert, ...) scales once when wert > 2^900 (strictly; a NaN never scales), the
// caller choosing the point of its loop and the value that must stay in range (the newest term,
// a sum, the largest number of a row). A caller whose bound depends on a factor still to come
// tests kGrenze itself and calls Verkleinern.
//
// The exponent is counted in scalings, so it cannot wrap however long the series: Exponent() is
// 900 k, the power of two the carried values lack. LogSkala() is the start given to the
// constructor plus 900 ln 2 added once per scaling, at the moment it happens (a running sum in
// extended precision, rounded at each step as such a sum is). Einheit() is 2^-(900 k) as the
// successive products give it: the carried value of a true 1, for a constant term that joins
// the series at each step.
//
// What the caller gets back: Halten says whether it scaled. A carried value v stands for
// v 2^Exponent() = ldexp(v, Exponent()), or e^(ln v + LogSkala()) when the start was 0.
class Zweierskala {
 public:
  static constexpr int kSchritt = 900;
  static constexpr double kGrenze = 0x1p900;
  static constexpr double kFaktor = 0x1p-900;
  // 900 ln 2 in extended precision.
  static constexpr Summe kLogSchritt = kSchritt * 0.693147180559945309417232121458176568L;

  // logStart: the logarithm of a scale the caller has already taken out of the values (its
  // first term, N); 0 where there is none.
  explicit Zweierskala(Summe logStart = 0) : log_(logStart) {}

  // Scales `klassen` and `werte` down by 2^-900 when wert passes kGrenze.
  template <typename T, typename... Werte>
  bool Halten(T wert, std::span<double> klassen, Werte&... werte) {
    if (!(wert > kGrenze)) return false;
    Verkleinern(klassen, werte...);
    return true;
  }
  template <typename T, typename... Werte>
  bool Halten(T wert, Werte&... werte) {
    return Halten(wert, std::span<double>{}, werte...);
  }

  // One scaling, unconditionally: every element of `klassen` and each of `werte` times 2^-900.
  template <typename... Werte>
  void Verkleinern(std::span<double> klassen, Werte&... werte) {
    for (double& v : klassen) v *= kFaktor;
    ((werte *= kFaktor), ...);
    einheit_ *= kFaktor;
    log_ += kLogSchritt;
    ++schritte_;
  }

  [[nodiscard]] bool Skaliert() const { return schritte_ != 0; }
  [[nodiscard]] std::int64_t Exponent() const { return kSchritt * schritte_; }
  [[nodiscard]] Summe LogSkala() const { return log_; }
  [[nodiscard]] double Einheit() const { return einheit_; }

 private:
  Summe log_;
  double einheit_ = 1;
  std::int64_t schritte_ = 0;
};

}  // namespace vk
