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

// Clears the fault flags on entry and restores the enclosing scope's flags on exit, so that a
// fault which an inner scope has already turned into a status does not also fail the outer one.
class FpFaultScope {
 public:
  FpFaultScope() {
    std::fegetexceptflag(&saved_, kFpFaultFlags);
    std::feclearexcept(kFpFaultFlags);
  }
  ~FpFaultScope() { std::fesetexceptflag(&saved_, kFpFaultFlags); }
  FpFaultScope(const FpFaultScope&) = delete;
  FpFaultScope& operator=(const FpFaultScope&) = delete;

  // True when a fault was raised since the scope began (or since the last Reset).
  [[nodiscard]] bool Faulted() const { return std::fetestexcept(kFpFaultFlags) != 0; }
  void Reset() { std::feclearexcept(kFpFaultFlags); }

 private:
  std::fexcept_t saved_{};
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
