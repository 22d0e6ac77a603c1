// SPDX-License-Identifier: GPL-3.0-or-later
// Standard errors from the curvature of X² at its minimum: a numerical Hessian H, the
// covariance 2 H⁻¹ (X² behaves near its minimum like -2 ln L up to a constant, whose Hessian is
// twice the information).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "catalog/Defs.h"

namespace vk {

class Anpassungen;

using Matrix = std::array<std::array<double, kMaxParameter>, kMaxParameter>;

// Why a fit's curvature gives no standard errors.
enum class Kruemmungsgrund {
  kKeiner,               // available
  kKeinErgebnis,         // no fit with a result on the engine
  kRand,                 // the minimum lies within two steps of a parameter's domain edge
  kAuswertung,           // an evaluation near the minimum failed
  kNichtPositivDefinit,  // H is not positive definite: no minimum the curvature can describe
  kGanzzahlig,           // every free parameter takes whole numbers only
};
std::string KruemmungsgrundText(Kruemmungsgrund g);

// The relative step of the differences, and the smallest scale it is taken of: the step of
// parameter j is kSchrittRelativ · max(|θ_j|, kSchrittSkala).
inline constexpr double kSchrittRelativ = 1e-4;
inline constexpr double kSchrittSkala = 1e-3;

struct KruemmungsErgebnis {
  Kruemmungsgrund grund = Kruemmungsgrund::kKeinErgebnis;
  std::uint32_t parZahl = 0;
  // NaN where not available, and for a whole-number parameter (held at its value: the others'
  // errors are conditional on it).
  std::array<double, kMaxParameter> se{};
  bool Verfuegbar() const { return grund == Kruemmungsgrund::kKeiner; }
};

// X² of a vector, false where the evaluation fails.
using Zielwert = std::function<bool(const Parametervektor& v, double& chi)>;

// Central differences around `theta` over the parameters listed in `frei` (indices into the
// vector), with steps h[j] for parameter frei[j]: H[a][a] = (f(+) - 2 f(0) + f(-)) / h²,
// H[a][b] = (f(++) - f(+-) - f(-+) + f(--)) / (4 h_a h_b). False where an evaluation fails.
bool HesseMatrixBerechnen(const Zielwert& f, const Parametervektor& theta,
                          std::span<const std::uint32_t> frei, std::span<const double> h,
                          Matrix& H);

// 2 H⁻¹ of the leading m×m block of H by its Cholesky factor; false where H is not positive
// definite.
bool KovarianzAusHesse(const Matrix& H, std::uint32_t m, Matrix& kovarianz);

// The curvature standard errors of the best result of the last selected fit on `engine`: X² with
// the result's cells held (ChiQuadratFesteZellen, guarded like every evaluation); the engine's
// results are not changed.
KruemmungsErgebnis KruemmungRechnen(Anpassungen& engine);

}  // namespace vk
