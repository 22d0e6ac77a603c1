// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Traeger.h"

namespace vk {

namespace {

// An empty class after a non-empty one, followed later by a non-empty class after an empty one.
bool InnereLuecke(const KlassenHaeufigkeiten& f, std::uint32_t n) {
  std::uint32_t i = 1;
  while (i < n && !(f[i] == 0 && f[i - 1] > 0)) ++i;
  if (i >= n) return false;
  while (i < n && !(f[i] > 0 && f[i - 1] == 0)) ++i;
  return i < n;
}

}  // namespace

bool TraegerPasst(Traeger traeger, const KlassenWerte& x, const KlassenHaeufigkeiten& f,
                  std::uint32_t n) {
  switch (traeger) {
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

bool TraegerPruefen(const MemberHandle& mitglied, const KlassenWerte& x,
                    const KlassenHaeufigkeiten& f, std::uint32_t n) {
  return !mitglied || TraegerPasst(mitglied.Eintrag().traeger, x, f, n);
}

}  // namespace vk
