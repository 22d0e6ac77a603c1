// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cfenv>
#include <cstdint>
#include <limits>

namespace vk {

// The one mechanism by which a computation fails on a floating-point fault. A division by zero,
// an invalid operation (log or sqrt of a negative number, 0/0, an out-of-range conversion) or an
// overflow inside a guarded computation is a failure of that computation; underflow and inexact
// results pass silently. The flags live in the thread's floating-point environment, so scopes on
// different threads do not disturb each other.
inline constexpr int kFpFaultFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

// The fault flags raised, as std::fetestexcept(kFpFaultFlags) gives them. On x86-64 the library
// call reads the x87 status word and the SSE control register out of line; every evaluation of a
// fit makes one, and the same two reads inline cost a fraction of the call. Both registers keep
// the flags at the bit positions of the FE_ constants. The memory clobber keeps the reads where a
// call would be: after every computation whose result has been stored.
inline int FaultFlaggen() {
#if defined(__x86_64__) && defined(__GNUC__)
  unsigned short x87 = 0;
  unsigned int sse = 0;
  __asm__ volatile("fnstsw %0" : "=am"(x87) : : "memory");
  __asm__ volatile("stmxcsr %0" : "=m"(sse) : : "memory");
  return static_cast<int>((x87 | sse) & static_cast<unsigned int>(kFpFaultFlags));
#else
  return std::fetestexcept(kFpFaultFlags);
#endif
}

// Clears the fault flags on entry and restores the enclosing scope's flags on exit, so that a
// fault which an inner scope has already turned into a status does not also fail the outer one.
// Scopes open and close once per evaluation of a fit: where no flag is raised, entry and exit
// only read the flags (clearing or setting the x87 and SSE environments costs ten times more),
// and they write them only when there is something to clear or to give back.
class FpFaultScope {
 public:
  FpFaultScope() : saved_(FaultFlaggen()) {
    if (saved_ != 0) std::feclearexcept(kFpFaultFlags);
  }
  ~FpFaultScope() {
    if (!geschlossen_) Schliessen();
  }
  FpFaultScope(const FpFaultScope&) = delete;
  FpFaultScope& operator=(const FpFaultScope&) = delete;

  // True when a fault was raised since the scope began (or since the last Reset).
  [[nodiscard]] bool Faulted() const { return FaultFlaggen() != 0; }
  void Reset() { std::feclearexcept(kFpFaultFlags); }

  // Ends the scope early: the faults raised in it (0 for none); the enclosing scope's flags are
  // back. One look at the flags where Faulted() and the end of the scope would take two.
  int Schliessen() {
    geschlossen_ = true;
    const int jetzt = FaultFlaggen();
    if (jetzt == saved_) return jetzt;
    if ((jetzt & ~saved_) != 0) std::feclearexcept(jetzt & ~saved_);
    if ((saved_ & ~jetzt) != 0) std::feraiseexcept(saved_ & ~jetzt);
    return jetzt;
  }

 private:
  int saved_;
  bool geschlossen_ = false;
};

// A scope over a series of guarded computations (the evaluations of a simplex cycle) in which
// each is checked by one look at the flags, where a scope of its own would take two. Flags that
// the series' own arithmetic raises between the computations belong to the enclosing scope, as
// they would with a scope per computation: the caller tells them apart (Aussen) when a check
// finds a flag, which is rare.
class FpFaultSerie {
 public:
  FpFaultSerie() : saved_(FaultFlaggen()) {
    if (saved_ != 0) std::feclearexcept(kFpFaultFlags);
  }
  ~FpFaultSerie() {
    const int jetzt = FaultFlaggen();
    const int fehlend = (saved_ | aussen_) & ~jetzt;
    if (fehlend != 0) std::feraiseexcept(fehlend);
  }
  FpFaultSerie(const FpFaultSerie&) = delete;
  FpFaultSerie& operator=(const FpFaultSerie&) = delete;

  // The flags raised since the previous check, or since the series began; they are cleared.
  int Pruefen() {
    const int jetzt = FaultFlaggen();
    if (jetzt != 0) std::feclearexcept(jetzt);
    return jetzt;
  }
  // Flags raised outside the computations, kept for the enclosing scope.
  void Aussen(int flaggen) { aussen_ |= flaggen; }

 private:
  int saved_;
  int aussen_ = 0;
};

// Raises the invalid-operation fault, for checks that are not themselves floating-point
// operations (a count that would leave its array, a value that no integer can hold).
inline void RaiseInvalid() {
  std::feraiseexcept(FE_INVALID);
}

// Truncation toward zero into a 64-bit integer. A value outside the range (or NaN) raises the
// invalid fault and yields 0, so that a later index or loop bound derived from it stays harmless
// while the enclosing scope reports the failure.
inline std::int64_t TruncToInt64(double x) {
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (!(x > -kLimit && x < kLimit)) {
    RaiseInvalid();
    return 0;
  }
  return static_cast<std::int64_t>(x);
}

}  // namespace vk
