// SPDX-License-Identifier: GPL-3.0-or-later
// The parametric bootstrap of a fit: samples of size N drawn from the fitted law over the fit's
// classes, each refitted with the same member, methods and settings; from the refits the
// parameters' standard errors and percentile intervals and a Monte Carlo P of X².
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <span>

#include "catalog/Defs.h"
#include "core/Status.h"
#include "fitting/Intervallart.h"

namespace vk {

class Anpassungen;

inline constexpr double kKeinWert = std::numeric_limits<double>::quiet_NaN();

// How a bootstrap runs. `abbruch` is asked by the calling thread only, about every 10 ms;
// `fortschritt` is told there of the replicates finished so far.
struct BootstrapVorgabe {
  std::uint32_t wiederholungen = 0;  // B
  std::uint64_t seed = 0;
  unsigned threads = 0;  // 0: one per core; the result does not depend on it
  Intervallart intervall = Intervallart::kPerzentil;
  std::function<bool()> abbruch;
  std::function<void(std::uint32_t fertig)> fortschritt;
};

// A parameter's spread over the successful refits: the standard deviation (divisor B' - 1) and
// the 95 % interval of the kind asked for; none (NaN) with fewer than two refits.
struct ParameterStreuung {
  double se = kKeinWert;
  double unten = kKeinWert;
  double oben = kKeinWert;
};

struct BootstrapErgebnis {
  std::uint32_t verlangt = 0;  // B
  std::uint64_t seed = 0;
  std::uint32_t gerechnet = 0;       // replicates that ran to their end: successful and failed
  std::uint32_t erfolgreich = 0;     // B'
  std::uint32_t fehlgeschlagen = 0;  // drawn samples whose refit found no result
  bool abgebrochen = false;          // cancelled: the figures are those of the `gerechnet` done
  double pMonteCarlo = kKeinWert;    // (1 + #{X²* >= X²}) / (1 + B')
  Intervallart intervall = Intervallart::kPerzentil;
  std::uint32_t parZahl = 0;
  std::array<ParameterStreuung, kMaxParameter> parameter{};
};

// The generator of replicate `index`: std::mt19937_64 seeded through std::seed_seq with the
// four 32-bit words (low and high half of `seed`, low and high half of `index`). Both the
// engine and seed_seq's mixing are fixed by the C++ standard, so a replicate's draws are the
// same on every compiler and whichever thread computes it.
std::mt19937_64 ReplikatGenerator(std::uint64_t seed, std::uint64_t index);

// A uniform number in [0, 1) from the top 53 bits of one output of the engine (the standard
// library's distributions are implementation-defined, so none is used).
double Gleichverteilt(std::mt19937_64& g);

// Draws `n` items over the cells whose running sums of weights are `kumuliert` (ascending, the
// last one the total): each item takes the first cell whose running sum exceeds u times the
// total, u from Gleichverteilt. Adds the counts to `zaehler` (as long as `kumuliert`).
void MultinomialZiehen(std::span<const double> kumuliert, std::uint64_t n, std::mt19937_64& g,
                       std::span<double> zaehler);

// Standard error and 95 % interval of `werte` (sorted in place) about the estimate `schaetzung`
// (used by the basic and bias-corrected kinds only). The quantile q of m sorted values is the
// interpolation at h = (m - 1) q between the values at floor(h) and floor(h) + 1.
ParameterStreuung StreuungBerechnen(std::span<double> werte, double schaetzung = kKeinWert,
                                    Intervallart art = Intervallart::kPerzentil);

// The standard normal distribution function Φ and its inverse (to full double precision; the
// inverse of p outside (0, 1) is ∓infinity).
double NormalVerteilung(double z);
double NormalQuantil(double p);

// (1 + #{chi* >= beobachtet}) / (1 + chi.size()).
double MonteCarloP(std::span<const double> chi, double beobachtet);

// The bootstrap of the last selected fit on `engine` (its best result): status 0 with the
// figures in `out`, also when cancelled (out.abgebrochen); kNoFit where the engine holds no fit
// with a result. The engine itself is not changed: the refits run on engines of their own, one
// per thread.
Status BootstrapRechnen(const Anpassungen& engine, const TVerteilung& verteilung,
                        const BootstrapVorgabe& vorgabe, BootstrapErgebnis& out);

}  // namespace vk
