// SPDX-License-Identifier: GPL-3.0-or-later
// Member 94: binomial distribution inflated at m.
//   P(i) = b Bin(i; n, p) + (1 - b) [i = m],  i = 0, 1, 2, ...;  n = Int(F0) fixed (the largest
//   value of the data), m = Int(F1) fixed, p in (0, 1), b in [0, 1). The last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr double kToleranz = 0.0001;
inline constexpr std::uint32_t kRunden = 30;

// Bin(m; n, p) with the binomial coefficient as a sum of logarithms: the value n!/(m!(n - m)!)
// p^m (1 - p)^(n-m) that the factorials give, without their overflow from 171 on; 0 beyond n.
double BinomialPunkt(double m, double n, double p) {
  if (m > n) return 0;
  Summe lnC = 0;
  for (double j = 1; j <= m; ++j) lnC += std::log((n - m + j) / j);
  return std::exp(static_cast<double>(lnC) + m * std::log(p) + (n - m) * std::log1p(-p));
}

struct Fest {
  double n;
  std::uint32_t m;
};
Fest FesteParameter(const Eingaben& in) {
  return {static_cast<double>(FaktorAnzahl(in.eig.festparameter[0])),
          BegrenzteAnzahl(in.eig.festparameter[1], kMaxKlassenIndex)};
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto [n, m] = FesteParameter(in);
  const double dm = m;
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const double fm = KlasseOderNull(in.f, L, m);
  Summe S = 0;
  for (std::uint32_t i = 0; i <= L; ++i) S += i * in.f[i];
  const double rest = static_cast<double>(S) - dm * fm;
  // The mean of the classes other than m is (n p - m B)/(1 - B), B = Bin(m; n, p). p is kept in
  // (0, 1) between rounds, so that B stays defined.
  double p = 0.5;
  for (std::uint32_t runde = 0; runde < kRunden; ++runde) {
    const double B = BinomialPunkt(dm, n, p);
    double neu = rest * (1 - B) / ((N - fm) * (n - B * dm / p));
    InEinheitsintervallKorrigieren(neu);
    const double d = neu - p;
    p = neu;
    if (std::fabs(d) < kToleranz) break;
  }
  E[0] = p;
  // f[m]/N = b B + 1 - b.
  E[50] = (1 - fm / N) / (1 - BinomialPunkt(dm, n, p));
}

constexpr Alternative kAlternativen[] = {{{0}, {50}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const Fest fest = FesteParameter(in);
  const double n = fest.n;
  const std::uint32_t m = fest.m;
  const double p = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  // The binomial terms N b Bin(i) are carried by their ratio on their own and the inflation is
  // added at m: class m + 1 then follows from class m's binomial term, the value the written
  // factorials give for Bin(m + 1), which overflow for n from 171 on.
  const double qn = std::pow(std::fabs(1 - p), n);
  double term = N * b * qn;
  // A subnormal (1 - p)^n has lost its digits already: the logarithmic route below.
  if (qn >= kKleinsteNormale || b == 0 || !(p < 1)) {
    KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
      const double di = static_cast<double>(i);
      if (i > 0) term *= (n - di + 1) * p / ((1 - p) * di);
      return i == m ? term + N * (1 - b) : term;
    });
    return;
  }
  // (1 - p)^n below the normal range: the binomial terms from their logarithm, ln C(n, i) +
  // i ln p + (n - i) ln(1 - p), with the coefficient carried along i (n is a whole number, so
  // the terms end at 0 beyond it).
  const double lnb = std::log(N * b);
  const double lnp = std::log(p);
  const double lnq = std::log1p(-p);
  Summe lnC = 0;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    const double di = static_cast<double>(i);
    if (i > 0 && di <= n) lnC += std::log((n - di + 1) / di);
    const double t =
        di <= n ? std::exp(lnb + static_cast<double>(lnC) + di * lnp + (n - di) * lnq) : 0.0;
    return i == m ? t + N * (1 - b) : t;
  });
}

}  // namespace

// clang-format off
const Member kM094BinomialInflatedAtM{.nummer = 94, .name = "Binomial inflated at m", .parZahl = 2,
    .festparZahl = 2, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
