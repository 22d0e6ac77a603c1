// SPDX-License-Identifier: GPL-3.0-or-later
// Member 157: number in a single-server queue with Poisson arrivals and a constant service time.
//   G(s) = (1 - a)(1 - s) / (1 - s e^(a (1 - s))), a the load (0 < a < 1; a of 0 becomes 0.01
//   and is written back):
//     P(0) = 1 - a,  P(1) = (1 - a)(e^a - 1),
//     P(i) = (1 - a) sum_{f=1..i} (-1)^(i-f) e^(f a) ((f a)^(i-f)/(i-f)! + (f a)^(i-f-1)/(i-f-1)!)
//   for i >= 2 (the second term left out for f = i). The last class takes the remainder.
//   The alternating sum has terms up to e^(i a) for probabilities below 1, so it loses every digit
//   within a few dozen classes; the classes come from the balance of the level crossings
//   instead, a sum of positive terms with the same values: with A_k = P(more than k arrivals in
//   one service) = sum_{l > k} e^-a a^l / l!,
//     P(i) e^-a = P(0) A_(i-1) + sum_{k=1..i-1} P(k) A_(i-k).
#include <array>
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Schnittschranke.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr double kErsatzA = 0.01;
inline constexpr double kErsatzSchaetzung = 0.9;
// A_k summed over l = k + 1 .. k + kTailGlieder: with a below 1 the terms beyond fall below
// a^l / l! < 1e-40 of the first.
inline constexpr std::uint32_t kTailGlieder = 40;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = 1 - g[0] / in.stat.summe;
  if (E[0] == 1) E[0] = kErsatzSchaetzung;
  E[1] = std::log(g[1] / g[0] + 1);
}

// a = (E[0] + E[1]) / 2.
constexpr Alternative kAlternativen[] = {{{0, 1}}};

// On many classes (a word-frequency spectrum has 20001) the convolution costs L^2/2 steps. For
// s = 1 + t with ln(1 + t) > a t (below the pole of G), G(s) = (1 - a) t / (e^(ln(1 + t) - a t) -
// 1) and P(X >= x) <= G(s) s^-x, so every class from x > (ln G(s) - ln 1e-300) / ln s on is below
// 1e-300 N. Those classes are 0 (a change of less than 1e-300 N each, and of as little in the
// last class, which takes the remainder) and their sums are not formed; every class below is
// computed as written. Schnitt gives the least such x over t = 2^-30 .. 2^6; no cut (the largest
// count) where a is outside (0, 1) or no t bounds below 2^32.
std::uint32_t Schnitt(double a, std::uint32_t L) {
  using namespace schnittschranke;
  if (!(a > 0 && a < 1)) return kKeiner;
  if (!Moeglich(64, L)) return kKeiner;
  const double log1mA = std::log1p(-a);
  Kleinste kleinste;
  for (int j = -30; j <= 6; ++j) {
    const double t = std::ldexp(1.0, j);
    const double d = std::log1p(t) - a * t;
    if (!(d > 0)) continue;
    kleinste.Versuchen(log1mA + std::log(t) - std::log(std::expm1(d)), t);
  }
  return kleinste.Klasse();
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[0] == 0) par[0] = kErsatzA;
  const double a = par[0];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  // The tails A_0..A_(L-1), each summed from its far end. The L-fold convolution reads every one
  // of them for every class: kept in a working array (160 KB on the stack, no allocation).
  std::array<double, kMaxKlassen + kTailGlieder> A;
  const std::uint32_t bis = L + kTailGlieder;
  const double ea = std::exp(-a);
  {
    double t = ea;
    for (std::uint32_t l = 0; l <= bis; ++l) {
      if (l > 0) t *= a / l;
      A[l] = t;  // Po(l) for now
    }
    Summe s = 0;
    double po = A[bis];
    for (std::uint32_t l = bis; l > 0; --l) {
      s += po;
      po = A[l - 1];
      A[l - 1] = static_cast<double>(s);  // A_(l-1): the terms l, l + 1, ..., bis
    }
  }
  Unterbrechungszaehler stopp(in);
  const std::uint32_t schnitt = Schnitt(a, L);
  KlassenMitRest(NP, L, N, [&](std::uint32_t i, double) {
    if (i == 0) return N * (1 - a);
    if (i == 1) return (std::exp(a) - 1) * NP[0];
    if (i >= schnitt || stopp.Zaehlen(i)) return 0.0;
    Summe s = static_cast<Summe>(NP[0]) * A[i - 1];
    for (std::uint32_t k = 1; k < i; ++k) s += static_cast<Summe>(NP[k]) * A[i - k];
    return static_cast<double>(s) / ea;
  });
}

}  // namespace

// clang-format off
const Member kM157QueueConstantService{.nummer = 157, .name = "Queue with constant service time",
    .parZahl = 1, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
