// SPDX-License-Identifier: GPL-3.0-or-later
// Queue family: members 56 (m servers, room for L), 57 (m servers, unlimited room) and 69 (a
// chain whose ratio changes twice). Their probabilities over the grid are in sweeps/QueueSweep.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/distributions/SchaetzCheck.h"

namespace vk {
namespace {

using test::Letzte;
using test::Near;

// a^x / x! up to m, a^x / (m! m^(x - m)) above, by lgamma.
double Term(double a, double m, double x) {
  if (x <= m) return std::exp(x * std::log(a) - std::lgamma(x + 1));
  return std::exp(x * std::log(a) - std::lgamma(m + 1) - (x - m) * std::log(m));
}

double Endlich(double a, double m, double L, double x) {
  double S = 0;
  for (int j = 0; j <= L; ++j) S += Term(a, m, j);
  return Term(a, m, x) / S;
}

double Unendlich(double a, double m, double x) {
  double S = 0;
  for (int j = 0; j < m; ++j) S += Term(a, m, j);
  S += Term(a, m, m) / (1 - a / m);
  return Term(a, m, x) / S;
}

double DreiPhasen(double a, double k, double c, std::uint32_t L, double x) {
  std::vector<double> r{1};
  for (std::uint32_t i = 1; i <= L; ++i) {
    const double q = i <= std::trunc(k)   ? c * a / i
                     : i <= std::trunc(c) ? c * a / k
                                          : (L - i + 1.0) * a / k;
    r.push_back(r.back() * q);
  }
  double S = 0;
  for (double v : r) S += v;
  return r[static_cast<std::size_t>(x)] / S;
}

TEST(QueueFamily, EstimatesRecoverTheLoad) {
  const test::SlotFall faelle[] = {
      // Both ranges of the regression and the first ratio are exact on exact data.
      {"finite room",
       56,
       {3},
       0,
       10,
       [](double x) { return Endlich(2.5, 3, 10, x); },
       Letzte::kPunkt,
       {{50, 2.5}, {51, 2.5}}},
      // m above the last class: one range only.
      {"finite room, m > L",
       56,
       {15},
       0,
       10,
       [](double x) { return Endlich(4, 15, 10, x); },
       Letzte::kPunkt,
       {{50, 4}, {51, 4}}},
      // The last class is the rest of an infinite tail, so only the first ratio is exact.
      {"unlimited room",
       57,
       {3},
       0,
       15,
       [](double x) { return Unendlich(2.5, 3, x); },
       Letzte::kRest,
       {{51, 2.5}}},
      // Three regressions, each exact on its range (the second range ends at Int(c) = l).
      {"three phases",
       69,
       {2, 5, 5},
       0,
       12,
       [](double x) { return DreiPhasen(0.5, 2, 5, 12, x); },
       Letzte::kPunkt,
       {{1, 0.5}, {2, 0.5}, {3, 0.5}}},
  };
  for (const auto& c : faelle) test::SlotsPruefen(c);
}

// 56 has a removable singularity at a = m in the closed-form normaliser: the classes there are
// the limit, the same as on either side of it within the step.
TEST(QueueFamily, FiniteRoomAtLoadEqualToServers) {
  for (double a : {3.0, 3.0 * (1 - 1e-12), 3.0 * (1 + 1e-12)})
    test::MitReferenzVergleichen("a near m", 56, {a}, {3}, 500, 12, 0, Letzte::kPunkt,
                                 [&](std::uint32_t i) { return Endlich(a, 3, 12, i); });
}

// A load of m or more (57), no servers (56 with classes beyond 0, 57), a k of 0 or below or a
// negative c (69): no distribution, a failed evaluation.
TEST(QueueFamily, ConditionsLinkingLoadAndServersFail) {
  struct Fall {
    std::uint32_t nummer;
    double a;
    test::Fest fest;
    bool fehler;
  };
  const Fall faelle[] = {
      {57, 2.9, {3}, false},     {57, 3, {3}, true},        {57, 4, {3}, true},
      {57, 1, {0}, true},        {56, 1, {0}, true},        {56, 4, {3}, false},
      {69, 1, {0, 5, 5}, true},  {69, 1, {-2, 5, 5}, true}, {69, 1, {2, 5, -1}, true},
      {69, 1, {2, 5, 0}, false},
  };
  for (const Fall& c : faelle) {
    const auto r = test::Auswerten1(c.nummer, {c.a}, c.fest, 8);
    EXPECT_EQ(r.fehler, c.fehler) << "member " << c.nummer << ", a " << c.a << ", F0 " << c.fest[0]
                                  << ", F2 " << c.fest[2];
  }
}

}  // namespace
}  // namespace vk
