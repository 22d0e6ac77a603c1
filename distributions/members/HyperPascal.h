// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "distributions/Helpers.h"

// The expected frequencies of the hyper-Pascal members 6 and 41, which differ only in their
// estimators:
//   P(x) proportional to (k)_x q^x / (m)_x,  P(x)/P(x-1) = (x + k - 1) q / (x + m - 1),
// normalised over x = 0..L+100 and on while a term still changes the sum (a q near 1 leaves a
// heavy tail beyond L + 100), the last class taking the remainder.
namespace vk::members::hyperpascal {

inline void Berechnen(Erwartungswerte& NP, const TStatistik& stat, double k, double m, double q) {
  NormierteTermeBisKonvergenz(NP, stat.n, stat.summe, 1, [&](double i, double vorher) {
    return vorher * (i + k - 1) * q / (i + m - 1);
  });
}

}  // namespace vk::members::hyperpascal
