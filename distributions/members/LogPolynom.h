// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstddef>
#include <span>

#include "distributions/Helpers.h"

// What the power-law members 167 (log-normal-like power with a share of the first class) and 178
// (Zipf-Mandelbrot) share in their estimates: ln f as a polynomial in a transformed value,
// ln f(x) = c0 + c1 z(x) (+ c2 z(x)^2), fitted by weighted least squares.
namespace vk::members::logpolynom {

struct Ausgleich {
  double c0 = 0, c1 = 0, c2 = 0;
  double rest = 0;  // weighted sum of squared residuals
  bool gueltig = false;
};

// Least squares of y on 1, z (grad 1) or 1, z, z^2 (grad 2) with weights w, by the normal
// equations (Cramer's rule). Not valid when the system is singular (too few distinct z).
inline Ausgleich Anpassen(std::span<const double> z, std::span<const double> y,
                          std::span<const double> w, int grad) {
  Summe s[5] = {0, 0, 0, 0, 0};
  Summe t[3] = {0, 0, 0};
  for (std::size_t i = 0; i < z.size(); ++i) {
    Summe p = w[i];
    for (int k = 0; k < 5; ++k) {
      s[k] += p;
      if (k < 3) t[k] += p * y[i];
      p *= z[i];
    }
  }
  Ausgleich a;
  if (grad == 1) {
    const Summe det = s[0] * s[2] - s[1] * s[1];
    if (!(std::fabs(det) > 1e-12 * s[0] * s[2])) return a;
    a.c0 = static_cast<double>((t[0] * s[2] - s[1] * t[1]) / det);
    a.c1 = static_cast<double>((s[0] * t[1] - s[1] * t[0]) / det);
  } else {
    const auto det3 = [](Summe a11, Summe a12, Summe a13, Summe a21, Summe a22, Summe a23,
                         Summe a31, Summe a32, Summe a33) {
      return a11 * (a22 * a33 - a23 * a32) - a12 * (a21 * a33 - a23 * a31) +
             a13 * (a21 * a32 - a22 * a31);
    };
    const Summe det = det3(s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]);
    if (!(std::fabs(det) > 1e-12 * s[0] * s[2] * s[4])) return a;
    a.c0 = static_cast<double>(det3(t[0], s[1], s[2], t[1], s[2], s[3], t[2], s[3], s[4]) / det);
    a.c1 = static_cast<double>(det3(s[0], t[0], s[2], s[1], t[1], s[3], s[2], t[2], s[4]) / det);
    a.c2 = static_cast<double>(det3(s[0], s[1], t[0], s[1], s[2], t[1], s[2], s[3], t[2]) / det);
  }
  Summe r = 0;
  for (std::size_t i = 0; i < z.size(); ++i) {
    const double d = y[i] - (a.c0 + a.c1 * z[i] + a.c2 * z[i] * z[i]);
    r += w[i] * d * d;
  }
  a.rest = static_cast<double>(r);
  a.gueltig = true;
  return a;
}

}  // namespace vk::members::logpolynom
