// SPDX-License-Identifier: GPL-3.0-or-later
// Member 204: Poisson-type terms up to m, a geometric tail beyond.
//   With r[x] = (a + b)^x / x! for x = 0..Int(m), S = sum r, h = r[Int(m)] / S and
//   K = (m - a)/(m - a + a h):  P(x) = K r[x] / S for x <= Int(m),
//   P(Int(m) + 1) = (a/m) h K,  P(x) = P(x-1) a/m beyond;  a > 0, b >= 0, m = F0 given, a < m
//   (the geometric tail converges and the probabilities sum to 1 only there: an a of m or more
//   is a failed evaluation). The last class takes the remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// a + b from the ratio regression f[i+1]/f[i] = (a + b)/(i + 1) over the classes below
// Int(m); a/m from the tail beyond m, whose sums of frequencies fall by a/m per class:
// a = m T(m + 1)/T(m), T(k) the frequency of the classes from k on. a is kept below m and b
// not negative.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const std::uint32_t L = in.stat.n;
  const double m = in.eig.festparameter[0];
  const std::uint32_t mi = FaktorAnzahl(m);
  const std::uint32_t bis = std::min(std::max(mi, 1u), L);
  double c = L > 0 ? VerhaeltnisRegression(std::span<const double>(in.f.data(), L + 1), bis,
                                           [](std::uint32_t i) { return i + 1.0; })
                   : in.stat.m1x0;
  if (!(c > 0)) c = std::max(in.stat.m1x0, 0.1);
  Summe ab = 0, ab1 = 0;
  for (std::uint32_t i = mi; i <= L; ++i) {
    ab += in.f[i];
    if (i > mi) ab1 += in.f[i];
  }
  double a = ab > 0 ? m * static_cast<double>(ab1 / ab) : 0;
  if (!(a < m)) a = 0.9 * m;
  if (!(a > 0)) a = std::min(0.5 * m, c);
  E[0] = a;
  E[1] = std::max(c - a, 0.0);
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double m = in.eig.festparameter[0];
  const std::uint32_t L = in.stat.n;
  const double N = in.stat.summe;
  if (!(a < m)) RaiseInvalid();
  const std::uint32_t mi = FaktorAnzahl(m);
  // The terms and their sum in extended precision, whose range holds (a + b)^x / x! up to
  // a + b of about 11000 (in double the sum overflows from about 710 on).
  long double r = 1;
  Summe S = 1;
  for (std::uint32_t x = 1; x <= mi; ++x) {
    r = r * (a + b) / x;
    S += r;
  }
  const Summe h = r / S;
  const Summe K = (m - a) / (m - a + a * h);
  const Summe geom = a / m;
  long double t = 1;
  Summe summe = 0;
  Summe P = 0;
  for (std::uint32_t x = 0; x < L; ++x) {
    if (x <= mi) {
      if (x > 0) t = t * (a + b) / x;
      P = K * t / S;
    } else if (x == mi + 1) {
      P = geom * h * K;
    } else {
      P *= geom;
    }
    NP[x] = static_cast<double>(N * P);
    summe += NP[x];
  }
  RestklasseSetzen(NP, L, N, summe);
}

}  // namespace

// clang-format off
const Member kM204PoissonTermsGeometricBeyondM{.nummer = 204,
    .name = "Poisson terms with a geometric tail", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
