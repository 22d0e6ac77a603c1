// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/helpers/Hypergeometrisch.h"

#include <cstdint>

#include "distributions/helpers/Numerik.h"

namespace vk {

namespace {

inline constexpr std::uint32_t kTerme = 30;

// The rising factorials (x)_i and the power z^i of term i, carried from term i - 1 by one
// multiplication each. The products are formed in the order in which (x)_i and z^i multiply
// out afresh (x, then x + 1, ..., then x + i - 1), so every value, and every flag a value beyond
// the double range raises, is the one the direct products give: the series costs 30 steps
// instead of 30 times 15. Term 1 takes x and z themselves, not 1 times them, which keeps even
// the sign of a zero.
struct Steigend {
  double wert = 0;
  void Weiter(std::uint32_t i, double x) {
    wert = i == 1 ? x : wert * (x + static_cast<double>(i - 1));
  }
};

// z^i/i!: the ratio of the rising factorials is taken before it meets this, so a large z with
// rising factorials that cancel stays finite; a single rising factorial beyond the double range
// is still a fault.
double Potenzglied(std::uint32_t i, double potenz) {
  return potenz / Fakultaet(i);
}

}  // namespace

double Hypergeometrisch2F2(double z, double b1, double b2, double a1, double a2) {
  Summe s = 1;
  Steigend za1, za2, nb1, nb2;
  double potenz = 0;
  for (std::uint32_t i = 1; i <= kTerme; ++i) {
    za1.Weiter(i, a1);
    za2.Weiter(i, a2);
    nb1.Weiter(i, b1);
    nb2.Weiter(i, b2);
    potenz = i == 1 ? z : potenz * z;
    s += Potenzglied(i, potenz) * ((za1.wert * za2.wert) / (nb1.wert * nb2.wert));
  }
  return static_cast<double>(s);
}

double Hypergeometrisch3F2(double z, double b1, double b2, double a1, double a2, double a3) {
  Summe s = 1;
  Steigend za1, za2, za3, nb1, nb2;
  double potenz = 0;
  for (std::uint32_t i = 1; i <= kTerme; ++i) {
    za1.Weiter(i, a1);
    za2.Weiter(i, a2);
    za3.Weiter(i, a3);
    nb1.Weiter(i, b1);
    nb2.Weiter(i, b2);
    potenz = i == 1 ? z : potenz * z;
    s += Potenzglied(i, potenz) * ((za1.wert * za2.wert * za3.wert) / (nb1.wert * nb2.wert));
  }
  return static_cast<double>(s);
}

}  // namespace vk
