// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Traeger.h"

#include <algorithm>
#include <array>

namespace vk {

namespace {

enum class Traeger { kImmer, kEins, kNichtNull, kUeberEins, kNull, kNullMitLuecke };

constexpr std::array<Traeger, 223> TraegerTabelle() {
  std::array<Traeger, 223> t{};
  t.fill(Traeger::kImmer);
  for (int i :
       {10, 17, 21, 22,  25,  32,  35,  36,  46,  47,  49,  51,  53,  55,  59,  62,  63,  64, 81,
        86, 87, 92, 100, 110, 134, 137, 139, 144, 150, 161, 167, 178, 179, 182, 191, 202, 203})
    t[static_cast<std::size_t>(i)] = Traeger::kEins;
  for (int i : {11, 13, 23, 30, 43, 66, 67, 82, 113, 114, 115, 116, 163, 193})
    t[static_cast<std::size_t>(i)] = Traeger::kNichtNull;
  for (int i : {24, 60}) t[static_cast<std::size_t>(i)] = Traeger::kUeberEins;
  for (int i : {31, 58, 84, 147, 152, 153, 173}) t[static_cast<std::size_t>(i)] = Traeger::kNull;
  t[112] = Traeger::kNullMitLuecke;
  return t;
}

constexpr auto kTraeger = TraegerTabelle();

// An empty class after a non-empty one, followed later by a non-empty class after an empty one.
bool InnereLuecke(const KlassenHaeufigkeiten& f, std::uint32_t n) {
  std::uint32_t i = 1;
  while (i < n && !(f[i] == 0 && f[i - 1] > 0)) ++i;
  if (i >= n) return false;
  while (i < n && !(f[i] > 0 && f[i - 1] == 0)) ++i;
  return i < n;
}

}  // namespace

bool TraegerPruefen(std::uint32_t index, const KlassenWerte& x, const KlassenHaeufigkeiten& f,
                    std::uint32_t n) {
  if (index >= kTraeger.size()) return true;
  switch (kTraeger[index]) {
    case Traeger::kImmer:
      return true;
    case Traeger::kEins:
      return x[0] == 1;
    case Traeger::kNichtNull:
      return x[0] != 0;
    case Traeger::kUeberEins:
      return x[0] > 1;
    case Traeger::kNull:
      return x[0] == 0;
    case Traeger::kNullMitLuecke:
      return x[0] == 0 && InnereLuecke(f, n);
  }
  return true;
}

}  // namespace vk
