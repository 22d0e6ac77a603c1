// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FpFault.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

namespace vk {
namespace {

// Values the optimiser cannot see through, so each operation really happens at run time.
volatile double gZero = 0.0;
volatile double gOne = 1.0;
volatile double gHuge = 1e308;
volatile double gMinusOne = -1.0;
volatile double gTiny = 1e-308;
volatile long double gLongHuge = 1e4900L;

TEST(FpFaultScope, EachFaultKindIsSeen) {
  struct Case {
    const char* name;
    double (*op)();
  };
  const Case faults[] = {
      {"division by zero", [] { return gOne / gZero; }},
      {"log of zero", [] { return std::log(gZero); }},
      {"log of a negative number", [] { return std::log(gMinusOne); }},
      {"sqrt of a negative number", [] { return std::sqrt(gMinusOne); }},
      {"0/0", [] { return gZero / gZero; }},
      {"overflow", [] { return gHuge * 10.0; }},
      {"exp overflow", [] { return std::exp(gHuge); }},
      {"truncation out of range", [] { return double(TruncToInt64(gHuge)); }},
      // Sums are carried in long double, whose faults on x86 land in the x87 status word.
      {"long double overflow", [] { return double(gLongHuge * gLongHuge > 0); }},
      {"long double 0/0", [] { return double((gLongHuge - gLongHuge) / (gLongHuge - gLongHuge)); }},
      {"long double to double overflow", [] { return double(gLongHuge); }},
  };
  for (const Case& c : faults) {
    FpFaultScope scope;
    volatile double r = c.op();
    (void)r;
    EXPECT_TRUE(scope.Faulted()) << c.name;
    EXPECT_EQ(FaultFlaggen(), std::fetestexcept(kFpFaultFlags)) << c.name;
  }
}

TEST(FpFaultScope, UnderflowAndInexactPass) {
  FpFaultScope scope;
  volatile double r = gTiny * gTiny + gOne / 3.0;
  (void)r;
  EXPECT_FALSE(scope.Faulted());
}

TEST(FpFaultScope, InnerScopeDoesNotLeakIntoOuter) {
  FpFaultScope outer;
  {
    FpFaultScope inner;
    volatile double r = gOne / gZero;
    (void)r;
    EXPECT_TRUE(inner.Faulted());
  }
  EXPECT_FALSE(outer.Faulted());
}

TEST(FpFaultScope, OuterFaultSurvivesAnInnerScope) {
  FpFaultScope outer;
  volatile double r = gOne / gZero;
  (void)r;
  { FpFaultScope inner; }
  EXPECT_TRUE(outer.Faulted());
}

TEST(FpFaultScope, FlagsArePerThread) {
  FpFaultScope here;
  std::thread other([] {
    FpFaultScope there;
    volatile double r = gOne / gZero;
    (void)r;
    EXPECT_TRUE(there.Faulted());
  });
  other.join();
  EXPECT_FALSE(here.Faulted());
}

TEST(TruncToInt64, TruncatesTowardZero) {
  FpFaultScope scope;
  EXPECT_EQ(TruncToInt64(2.99), 2);
  EXPECT_EQ(TruncToInt64(-2.99), -2);
  EXPECT_FALSE(scope.Faulted());
  EXPECT_EQ(TruncToInt64(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_TRUE(scope.Faulted());
}

}  // namespace
}  // namespace vk
