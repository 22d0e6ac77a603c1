// SPDX-License-Identifier: GPL-3.0-or-later
// Member 35: Good distribution on the values 1, 2, 3, ... (class i holds the value i + 1).
//   P(v) proportional to b^v / v^a,  v = 1, 2, ...;  a real, 0 < b < 1 (b = 1 is the zeta
//   distribution). The infinite normalising sum is taken over the values 1..L+100 and on while a
//   term still changes it (b near 1 leaves a heavy tail); the last class takes the remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// Powers whose logarithm stays below this are ordinary doubles, far from either end of the range.
inline constexpr double kGewoehnlich = 650;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  // From f[0] f[2] / f[1]^2 = (4/3)^a and f[1]/f[0] = b / 2^a.
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  E[0] = std::log(g[0] * g[2] / (g[1] * g[1])) / std::log(4.0 / 3.0);
  E[50] = std::pow(2, E[0]) * g[1] / g[0];
}

constexpr Alternative kAlternativen[] = {{{0}, {50}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const std::uint32_t L = in.stat.n;
  // The terms rise at most up to one mode and then fall, so a term past L + 100 that no longer
  // changes the sum ends it; a sum still growing after kMaxWeitereTerme more terms fails.
  const std::uint32_t K = UnendlicherTraeger(L) - 1;
  // Each term straight from its value: the L + 100 values 1..L+100, the classes 0..L+99. With a
  // negative a (a power times a geometric factor, the mode at -a/ln b) b^v and v^-a each leave
  // the double range over these values where their quotient need not, and the first terms may
  // lie below it beside the mode: then every term is taken in logarithms relative to the
  // largest of them (the normalisation removes the common factor). Where both powers stay
  // ordinary numbers the terms are the quotients as written.
  const double logb = std::log(b);
  const double vK = static_cast<double>(K + 1);
  const bool gewoehnlich =
      b == 1 || (std::fabs(vK * logb) < kGewoehnlich && std::fabs(a * std::log(vK)) < kGewoehnlich);
  double logGroesster = 0;
  if (!gewoehnlich) {
    logGroesster = logb;  // v = 1
    for (std::uint32_t i = 1; i <= K; ++i) {
      const double v = static_cast<double>(i + 1);
      logGroesster = std::max(logGroesster, v * logb - a * std::log(v));
    }
  }
  const auto term = [&](std::uint32_t i, double = 0) {
    const double v = static_cast<double>(i + 1);
    if (!gewoehnlich) return std::exp(v * logb - a * std::log(v) - logGroesster);
    return std::pow(b, v) / std::pow(v, a);
  };
  Summe S = 0;
  for (std::uint32_t i = 0; i <= K; ++i) {
    const double t = term(i);
    S += t;
    if (i < L) NP[i] = t;
  }
  if (b == 1) {
    // The zeta series falls too slowly to be summed to its end: a thousand more terms, then the
    // rest sum_{v > V} v^-a by Euler-Maclaurin, whose next term is of order V^(-a-5).
    if (!(a > 1)) RaiseInvalid();
    constexpr std::uint32_t kWeitere = 1000;
    for (std::uint32_t i = K + 1; i <= K + kWeitere; ++i) S += term(i);
    const double V = static_cast<double>(K + kWeitere + 1);
    const double va = std::pow(V, -a);
    S += V * va / (a - 1) - va / 2 + a * va / (12 * V) -
         a * (a + 1) * (a + 2) * va / (720 * V * V * V);
    TermeNormieren(NP, L, in.stat.summe, S);
    return;
  }
  std::uint32_t i = K + 1;
  for (; i <= K + kMaxWeitereTerme; ++i) {
    const Summe neu = S + term(i);
    if (neu == S) break;
    S = neu;
  }
  if (i > K + kMaxWeitereTerme) RaiseInvalid();
  TermeNormieren(NP, L, in.stat.summe, S);
}

}  // namespace

// clang-format off
const Member kM035Good{.nummer = 35, .name = "Good", .parZahl = 2, .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
