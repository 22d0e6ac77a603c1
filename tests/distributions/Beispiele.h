// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One example per member: parameters inside the domain that the shipped catalog gives them, the
// fixed parameters a user would give (numbers of trials and truncation points consistent with
// the classes), and the classes x0..x0+L the member is defined on. The catalog-wide tests
// evaluate every member on its example, refit its expected frequencies and read the estimates
// back; a member without a row fails them. A member that cannot have a row is listed in
// kOhneBeispiel with the reason.
#include <array>
#include <cstdint>
#include <span>

#include "catalog/Defs.h"

namespace vk::test {

struct Beispiel {
  std::uint32_t nummer;
  std::uint32_t x0;  // first class value
  std::uint32_t L;   // last class index
  Parametervektor par;
  std::array<double, kMaxFestparameter> fest{};
};

inline constexpr Beispiel kBeispiele[] = {
    {0, 0, 10, {10, 0.3}},
    {1, 0, 10, {0.3}, {10}},
    {2, 0, 12, {3}},
    {3, 0, 10, {5, 2}, {10}},
    {4, 0, 15, {2, 0.4}},
    {5, 0, 12, {2, 0.4}},
    {6, 0, 15, {2, 3, 0.5}},
    {7, 0, 10, {6, 2, 10}},
    {8, 0, 15, {0.3}},
    {9, 0, 10, {10}, {0.3}},
    {10, 1, 12, {2}},
    {11, 2, 12, {3}, {2}},
    {12, 0, 8, {3}},
    {13, 1, 10, {2}, {1}},
    {14, 0, 10, {0.2, 0.3}, {10}},
    {15, 0, 10, {0.2, 0.3, 10}},
    {16, 0, 15, {2, 1.5, 0.5}},
    {17, 1, 15, {3}},
    {18, 1, 15, {2}},
    {19, 0, 15, {3, 2}},
    {20, 0, 15, {2, 1.5}},
    {21, 1, 9, {10, 0.3}},
    {22, 1, 9, {0.3}, {10}},
    {23, 2, 8, {10, 0.4}, {2}},
    {24, 2, 8, {0.4}, {10, 2}},
    {25, 1, 15, {2, 0.4}},
    {26, 0, 15, {0.4}, {2}},
    {27, 0, 15, {2, 0.4}},
    {28, 0, 20, {2, 0.3, 0.7, 0.4}},
    {29, 0, 12, {1, 3}},
    {30, 1, 15, {2, 3}, {1}},
    {31, 0, 15, {1}},
    {32, 1, 9, {2}, {10}},
    {33, 0, 10, {0.5}, {2, 10}},
    {34, 0, 12, {2}},
    {35, 1, 15, {0.5, 0.5}},
    {36, 1, 15, {0.5}},
    {37, 0, 15, {0.5}, {2}},
    {38, 0, 15, {2, 0.5}},
    {39, 0, 15, {2, 0.5, 0.5}},
    {40, 0, 10, {20, 5, 10}},
    {41, 0, 15, {2, 3, 0.5}},
    {42, 0, 15, {2, 1.5, 0.3}},
    {43, 1, 15, {0.3}, {1}},
    {44, 0, 12, {3, 0.3}, {2}},
    {45, 0, 12, {3, 0.2}},
    {46, 1, 12, {2, 0.2}},
    {47, 1, 12, {2, 0.2}, {3}},
    {48, 0, 12, {3, 0.2}, {2}},
    {49, 1, 12, {2, 0.3}},
    {50, 1, 12, {2}},
    {51, 1, 15, {2, 0.4, 0.3}},
    {52, 0, 10, {0.5}, {20}},
    {53, 1, 15, {2}},
    {54, 0, 10, {0.3}, {10}},
    {55, 1, 10, {0.6}},
    {98, 0, 15, {2, 0.3, 5}},
    {99, 0, 15, {2, 0.4}},
    {100, 1, 15, {0.4, 0.3}},
    {101, 0, 15, {1, 4}},
    {102, 0, 10, {0.3, 0.7}, {10}},
    {103, 0, 10, {10, 0.3, 0.7}},
    {104, 0, 15, {1.5, 0.6}},
    {105, 0, 15, {0.6}},
    {106, 0, 15, {1.5, 0.5}},
    {107, 0, 15, {0.5}},
    {108, 0, 15, {2, 0.4, 0.7}},
    {109, 0, 10, {0.3}, {10, 0.6}},
    {110, 1, 9, {10}},
    {111, 0, 15, {2, 0.3}},
    {205, 0, 15, {-0.5, 1, 0.5, 1, 2}},
};

struct OhneBeispiel {
  std::uint32_t nummer;
  const char* grund;
};

// No member is exempt today.
inline constexpr std::span<const OhneBeispiel> kOhneBeispiel{};

}  // namespace vk::test
