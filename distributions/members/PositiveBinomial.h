// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

#include "distributions/members/Binomial.h"

// The expected frequencies that the positive binomial members 21 (free n) and 22 (fixed n)
// share: P(value 1) = n p (1 - p)^(n-1) / (1 - (1 - p)^n), then the binomial ratio on the class
// values. A negative p is taken as |p| and written back by the caller.
namespace vk::members::positivebinomial {

inline void Berechnen(Erwartungswerte& NP, const Eingaben& in, double n, double p) {
  const double N = in.stat.summe;
  // Beyond kVieleVersuche trials the powers of 1 - p go through log1p(-p) (see LogGegenP).
  const double p0 =
      n > binomial::kVieleVersuche
          ? n * p * std::exp((n - 1) * std::log1p(-p)) / -std::expm1(n * std::log1p(-p))
          : n * p * std::pow(1 - p, n - 1) / (1 - std::pow(1 - p, n));
  // Where (1 - p)^(n-1) falls below the normal range the recurrence starts at the largest class.
  RekursionMitRestGeschuetzt(
      NP, in.stat.n, N, p0,
      [&] {
        const Summe q = std::log1p(-static_cast<Summe>(p));
        return std::log(static_cast<Summe>(n) * p) + (n - 1) * q -
               std::log1p(-std::exp(static_cast<Summe>(n) * q));
      },
      binomial::WerteSchritt(in.x, n, p));
}

}  // namespace vk::members::positivebinomial
