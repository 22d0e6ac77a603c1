// SPDX-License-Identifier: GPL-3.0-or-later
// Member 60: logarithmic series distribution left-truncated below n.
//   P(x) = a^x / (x D),  x = n, n + 1, ...,  D = -ln(1 - a) - sum_{j=1}^{n-1} a^j / j;
//   0 < a < 1, n = F0 (the data's first value, above 1). The recurrence runs on the class values;
//   the last class takes the remainder.
#include <cfloat>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& s = in.stat;
  const double n = in.eig.festparameter[0];
  const auto g = ErsetzteAnfangsklassen(in.f, s.n);
  E[0] = (s.fm2 + s.m1 - s.m1 * n) / (s.fm2 + s.m1 - s.m1 * (n - 1));
  E[1] = (n + 1) * g[1] / (n * g[0]);
  Summe z = 0;
  for (std::uint32_t i = 0; i < s.n; ++i) {
    const double x = static_cast<double>(in.x[i]);
    z += x * in.f[i + 1] / (x - 1);
  }
  E[2] = static_cast<double>(z) / s.summe;
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2}}};

// sum_{k>=0} a^k n / (n + k) = n D / a^n: the series of D from its first term on, all terms
// positive. The terms fall at least as fast as a^k; a load of terms that would not end (a
// rounding to 1) fails.
Summe ReiheDurchErstenTerm(double a, double n) {
  constexpr std::uint32_t kMaxTerme = 10'000'000;
  Summe summe = 1;
  double t = 1;
  for (std::uint32_t k = 1; k <= kMaxTerme; ++k) {
    t *= a;
    const Summe neu = summe + t * n / (n + k);
    if (neu == summe) return summe;
    summe = neu;
  }
  RaiseInvalid();
  return summe;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double N = in.stat.summe;
  const std::uint32_t nn = BegrenzteAnzahl(in.eig.festparameter[0], kMaxKlassenIndex);
  const double n = static_cast<double>(nn);
  // The written D subtracts the first n - 1 terms of the series of -ln(1 - a) from the whole:
  // for a small a or a large n nearly all of it, so that the difference keeps no digit (and a^n
  // underflows with it). There P(class 0) = a^n / (n D) = 1 / sum_{k>=0} a^k n / (n + k), a sum
  // of positive terms; where the difference keeps at least a thousandth of -ln(1 - a) (all but
  // three digits) the written form is kept.
  double p0 = 0;
  bool geschrieben = true;
  if (a > 0 && a < 1 && nn > 0) {
    const double ganz = -std::log1p(-a);
    Summe teil = 0;
    double potenz = 1;
    for (std::uint32_t j = 1; j < nn; ++j) {
      potenz *= a;
      teil += potenz / j;
    }
    const double D = static_cast<double>(ganz - teil);
    const double an = std::pow(a, n);
    geschrieben = D >= 1e-3 * ganz && an >= DBL_MIN;
    if (geschrieben)
      p0 = an / (n * D);
    else
      p0 = static_cast<double>(1 / ReiheDurchErstenTerm(a, n));
  } else {
    // Outside the domain: the formula as written, with whatever fault it raises.
    Summe teil = 0;
    for (std::uint32_t j = 1; j < nn; ++j) teil += GanzePotenz(j, a) / j;
    p0 = std::pow(a, n) / (n * static_cast<double>(-std::log(1 - a) - teil));
  }
  RekursionMitRest(NP, in.stat.n, N, N * p0, [&](std::uint32_t i, double vorher) {
    const double x = static_cast<double>(in.x[i]);
    return vorher * (x - 1) * a / x;
  });
}

}  // namespace

// clang-format off
const Member kM060LeftTruncatedLogarithmic{.nummer = 60, .name = "Left-truncated logarithmic",
    .parZahl = 1, .festparZahl = 1, .traeger = Traeger::kUeberEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
