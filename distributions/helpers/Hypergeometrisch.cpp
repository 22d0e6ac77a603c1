// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/helpers/Hypergeometrisch.h"

#include <cstdint>

#include "distributions/helpers/Numerik.h"

namespace vk {

namespace {

inline constexpr std::uint32_t kTerme = 30;

// Term i is z^i/i! times the ratio of the rising factorials, each formed afresh rather than
// from the previous term. The ratio is taken before it meets z^i/i!, so a large z with rising
// factorials that cancel stays finite; a single rising factorial beyond the double range is
// still a fault.
double Potenzglied(std::uint32_t i, double z) {
  return GanzePotenz(i, z) / Fakultaet(i);
}

}  // namespace

double Hypergeometrisch2F2(double z, double b1, double b2, double a1, double a2) {
  Summe s = 1;
  for (std::uint32_t i = 1; i <= kTerme; ++i) {
    s += Potenzglied(i, z) * ((SteigendeFakultaet(i, a1) * SteigendeFakultaet(i, a2)) /
                              (SteigendeFakultaet(i, b1) * SteigendeFakultaet(i, b2)));
  }
  return static_cast<double>(s);
}

double Hypergeometrisch3F2(double z, double b1, double b2, double a1, double a2, double a3) {
  Summe s = 1;
  for (std::uint32_t i = 1; i <= kTerme; ++i) {
    s += Potenzglied(i, z) *
         ((SteigendeFakultaet(i, a1) * SteigendeFakultaet(i, a2) * SteigendeFakultaet(i, a3)) /
          (SteigendeFakultaet(i, b1) * SteigendeFakultaet(i, b2)));
  }
  return static_cast<double>(s);
}

}  // namespace vk
