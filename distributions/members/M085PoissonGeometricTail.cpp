// SPDX-License-Identifier: GPL-3.0-or-later
// Member 85: geometrically weighted Poisson tail.
//   P(x) = C b^x (e^a - sum_{j<x} a^j / j!),  C = e^(-ab) (1 - b) / (e^((1-b)a) - b),
//   x = 0, 1, 2, ...;  a > 0, b > 0 (b = 1 is a removable singularity, not evaluated). The last
//   class takes the remainder.
#include <cmath>
#include <limits>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/PoissonTerme.h"

namespace vk::members {

namespace {

inline constexpr double kToleranz = 0.001;
inline constexpr std::uint32_t kSchritte = 31;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [f0, f1, f2, f3] = ErsetzteAnfangsklassen(in.f, in.stat.n);
  // The ratio equation f0 f2 / f1^2 = h(a) = e^a (e^a - 1 - a) / (e^a - 1)^2, written with
  // u = e^-a as (1 - u - a u)/(1 - u)^2 so that nothing overflows; h rises from 1/2 (a -> 0) to
  // 1, so without a root (R outside (1/2, 1)) a stays at 1. A step that would leave a <= 0
  // halves a instead.
  const double R = f0 * f2 / (f1 * f1);
  double a = 1;
  if (R > 0.5 && R < 1) {
    for (std::uint32_t schritt = 0; schritt < kSchritte; ++schritt) {
      const double u = std::exp(-a);
      const double v = -std::expm1(-a);
      const double h = (1 - u - a * u) / (v * v) - R;
      const double dh = u * (a * (1 + u) - 2 * v) / (v * v * v);
      const double d = h / dh;
      a = (a - d > 0) ? a - d : a / 2;
      if (std::fabs(d) < kToleranz) break;
    }
  }
  E[0] = a;
  E[50] = std::exp(a) * f1 / (std::expm1(a) * f0);
}

constexpr Alternative kAlternativen[] = {{{0}, {50}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  // With Q(x) = e^-a (e^a - sum_{j<x} a^j/j!), the Poisson mass from x on, the probabilities are
  // P(x) = b^x Q(x) (1 - b) / (1 - b e^(-a(1-b))): the same numbers as written, but the
  // difference of e^a and its partial sum, which loses every digit once x passes the mode, is
  // summed from the top down as a tail of positive terms, and neither e^a nor e^(ab) overflows.
  // The factor (1 - b) / (1 - b e^(-a(1-b))) in logarithms: for b > 1 its denominator is
  // -expm1(z) with z = ln b + a (b - 1) > 0, which overflows long before the factor leaves the
  // range, so e^-z is taken out of it.
  const double z = std::log(b) - a * (1 - b);
  const Summe logFaktor = z < 0 ? std::log(static_cast<Summe>((1 - b) / -std::expm1(z)))
                                : std::log(b - 1) - z - std::log1p(-std::exp(-z));
  if (L == 0) {
    RestklasseSetzen(NP, L, N, 0);
    return;
  }
  // Q(x) = Q(x + 1) + Pois(x; a) from the top down, a sum of positive terms; b^x Q(x) times
  // the factor is formed in logarithms (extended precision), since b^x alone may leave the
  // double range (b > 1, many classes) where the product does not.
  const Summe logb = std::log(static_cast<Summe>(b));
  const auto klasse = [&](std::uint32_t x, Summe Q) {
    return Q > 0 ? N * static_cast<double>(std::exp(x * logb + std::log(Q) + logFaktor)) : 0.0;
  };
  const Summe unterhalb = poissonterme::Schreiben(NP, L, N, a);
  const Summe vor = (unterhalb - NP[L - 1]) / N;
  if (vor < 0.5L) {
    // The terms below L - 1 hold less than half the mass: Q(L - 1) is 1 minus them without
    // cancellation, and every Q(x) below is at least 1/2, so the double terms in NP suffice.
    Summe Q = 1 - vor;
    for (std::uint32_t x = L; x-- > 0;) {
      if (x < L - 1) Q += NP[x] / N;
      NP[x] = klasse(x, Q);
    }
  } else {
    // The mode lies near or below L - 1 and Q(x) falls with the Poisson terms themselves; with
    // b > 1 the classes magnify terms far below the double range. So the terms are generated
    // afresh in extended precision, from the highest class xs whose term is representable there
    // (found in logarithms), downward; the tail from L - 1 up is summed where xs = L - 1.
    const Summe logUnten = std::log(std::numeric_limits<Summe>::min()) + 50;
    const Summe loga = std::log(static_cast<Summe>(a));
    Summe lp = -a + (L - 1) * loga;
    for (std::uint32_t k = 2; k < L; ++k) lp -= std::log(static_cast<Summe>(k));
    std::uint32_t xs = L - 1;
    for (; lp < logUnten && xs > 0; --xs) lp += std::log(static_cast<Summe>(xs)) - loga;
    Summe t = std::exp(lp);
    Summe Q = t;
    if (xs == L - 1) {
      constexpr std::uint32_t kMaxTerme = 10'000'000;
      Summe tj = t;
      std::uint32_t j = L - 1;
      for (; j < L - 1 + kMaxTerme; ++j) {
        tj *= a / (j + 1.0L);
        const Summe neu = Q + tj;
        if (neu == Q && j > a) break;
        Q = neu;
      }
      if (j == L - 1 + kMaxTerme) RaiseInvalid();
    }
    for (std::uint32_t x = L; x-- > 0;) {
      if (x < xs) {
        t *= (x + 1.0L) / a;
        Q += t;
      }
      // Above xs the mass lies below the extended range: those classes are 0.
      NP[x] = x > xs ? 0.0 : klasse(x, Q);
    }
  }
  Summe summe = 0;
  for (std::uint32_t x = 0; x < L; ++x) summe += NP[x];
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM085PoissonGeometricTail{.nummer = 85, .name = "Geometrically weighted Poisson tail",
    .parZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
