// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vk {

// 2F2(a1, a2; b1, b2; z) as 1 plus exactly 30 terms z^i/i! (a1)_i (a2)_i / ((b1)_i (b2)_i),
// i = 1..30, whatever the convergence: callers rely on the fixed truncation.
double Hypergeometrisch2F2(double z, double b1, double b2, double a1, double a2);

// 3F2(a1, a2, a3; b1, b2; z), truncated in the same way after 30 terms.
double Hypergeometrisch3F2(double z, double b1, double b2, double a1, double a2, double a3);

}  // namespace vk
