// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace vk {

// Capacity bounds that every part of the system relies on.
inline constexpr std::uint32_t kMaxKlassenIndex = 20000;            // last class index
inline constexpr std::uint32_t kMaxKlassen = kMaxKlassenIndex + 1;  // 20001 classes
inline constexpr std::uint32_t kMaxX = 20000;                       // largest x value

using KlassenWerte = std::array<std::uint32_t, kMaxKlassen>;
using KlassenHaeufigkeiten = std::array<double, kMaxKlassen>;

// All descriptive statistics of the current data set (field order as stored and reported).
struct TStatistik {
  double summe = 0;  // N
  double m1 = 0;
  double m2 = 0;
  double m3 = 0;
  double m4 = 0;
  double fm2 = 0;
  double fm3 = 0;
  double fm4 = 0;
  double m1x0 = 0;
  double paritaet = 0;
  double paritaetK = 0;
  double schiefe = 0;
  double exzess = 0;
  double ord_i = 0;
  double ord_s = 0;
  double entropie = 0;
  double wiederholungsrate = 0;
  std::uint32_t n = 0;  // last class index
  std::int32_t ModusGruppenIndex = 0;
  std::array<double, 3> quotient{};  // quotient[0..2] are elements 1..3
};

// The reduced copy of the statistics that the user interface shows.
struct TDateneigenschaften {
  double m1 = 0;
  double m2 = 0;
  double m3 = 0;
  double m4 = 0;
  double schiefe = 0;
  double exzess = 0;
  double ord_i = 0;
  double ord_s = 0;
  double entropie = 0;
  double wiederholungsrate = 0;
  // N truncated toward zero; 64 bits so that a corpus of more than 2^31 tokens is not mangled.
  std::int64_t tot = 0;
  std::int32_t n = 0;
  std::int32_t ModusGruppenIndex = 0;
};

// The current data set: consecutive classes x[0], x[0]+1, ..., x[n] with their frequencies.
// Entries beyond n are left over from earlier reads and must not be read.
struct TDatensatz {
  KlassenWerte XWerte{};
  KlassenHaeufigkeiten Haeufigkeiten{};
  TStatistik Statistik{};
  bool DatenGueltig = false;
};

// The mark of a class that X² counts in a cell of its own.
inline constexpr std::uint32_t kNichtGepoolt = 0xFFFFFFFFu;

// One class as kept by a batch row, or the closing totals record when `Ergebnis` is set.
struct TWerte {
  double E = 0;
  double NP = 0;
  std::uint32_t X = 0;
  std::uint32_t Idx = 0;
  bool Ergebnis = false;
  // The index of the class whose cell of X² took this one in, or kNichtGepoolt.
  std::uint32_t GepooltIn = kNichtGepoolt;
};

using TDaten = std::array<TWerte, kMaxKlassen>;

}  // namespace vk
