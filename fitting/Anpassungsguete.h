// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "core/Datensatz.h"

namespace vk {

// X² of a failed evaluation, and the P that marks "not enough degrees of freedom".
inline constexpr double kFehlschlagChiQuadrat = 10000000.0;
inline constexpr double kZuWenigFreiheitsgrade = 10000000.0;

// Pools the classes whose expected frequency is not above `mindestklassengroesse` towards the
// mode (the first class with the largest NP), from the right tail inward and then from the left,
// and sums (NP - f)² / NP over the classes with NP > 0. `np` and `f` are the working copies of
// the L + 1 classes and are overwritten (a pooled class becomes -1). Returns X², at least 0.0001;
// `klassen` receives the number of classes that counted.
double GepooltesChiQuadrat(std::span<double> np, std::span<double> f, double mindestklassengroesse,
                           std::uint32_t& klassen);

// What an evaluation of the optimisation takes: -1 where the classes are no distribution
// (VerteilungPruefen finds a reason), otherwise GepooltesChiQuadrat of np (overwritten) and of a
// copy of f written into fArbeit, the same X² and class count. All three spans hold the L + 1
// classes in use; `negativProN` is the member's tolerance for classes below 0.
double AuswertungsChiQuadrat(std::span<double> np, std::span<const double> f,
                             std::span<double> fArbeit, double summe, double negativProN,
                             double mindestklassengroesse, std::uint32_t& klassen);

// Where GepooltesChiQuadrat counts each of the L + 1 classes of the unpooled `np`: `ziel[i]` is
// the index of the class whose cell took class i in, kNichtGepoolt where class i keeps its own.
// The sums are those of the pooling, in its order, so the two agree on every class. Computed for
// a result shown, not in the optimisation.
void PoolungsZiele(std::span<const double> np, double mindestklassengroesse,
                   std::span<std::uint32_t> ziel);

// Beyond this times N the classes, tail included, do not sum to N: a member that keeps writing
// classes past the end of its support, or whose approximation is not normalised, has a last class
// that takes |N - sum| and the table sums to more than N.
inline constexpr double kSummenAbweichungProN = 1e-9;

// Why a vector of expected frequencies is no distribution: a floating-point fault while computing
// it, a class below 0 (pooling would skip it as if it had been pooled), or a table that does not
// sum to N (not the law the result names). Each fails the evaluation: a penalty in the simplex,
// a failure of a final evaluation.
enum class Verwerfung : std::uint8_t { kKeine, kFehler, kNegativ, kSumme };
struct Verteilungspruefung {
  Verwerfung grund = Verwerfung::kKeine;
  std::uint32_t klasse = 0;  // the first negative class
  double wert = 0;           // its value, or the sum of all classes
};
// `negativProN` times N is how far below 0 a class may lie as rounding (Member::negativProN).
Verteilungspruefung VerteilungPruefen(std::span<const double> np, double summe, double negativProN);

// R² = 1 - SSE/SST of the unpooled NP against f, SST around the mean frequency per class.
double BestimmtheitsmassBerechnen(double summe, std::span<const double> f,
                                  std::span<const double> np);

// Upper tail Q(|z|) of the standard normal distribution (a rational approximation with seven
// decimals of accuracy).
double NormalSchwanz(double z);

// P(X² > x) for a chi-square variable with `df` degrees of freedom; 0 on a fault.
double ChiQuadratWahrscheinlichkeit(std::uint32_t df, double x);

}  // namespace vk
