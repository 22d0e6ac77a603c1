// SPDX-License-Identifier: GPL-3.0-or-later
// Member 161: a telescoping distribution on 1, 2, 3, ...
//   P(1) proportional to 1 - q a/(b + 1), P(x) to q^(x-1) a (1/(x + b - 1) - q/(x + b)) for
//   x >= 2 (the differences of q^(x-1) a/(x + b - 1), which sum to 1 over all x); normalised over
//   the classes of the data. a > 0 below 1/q (a at or above 1/q becomes 1/q - 0.1 and is written
//   back), b >= 0, 0 < q < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr double kToleranz = 0.0001;
inline constexpr std::uint32_t kRunden = 11;

double Anteil(const Eingaben& in, std::uint32_t klassen) {
  double s = 0;
  for (std::uint32_t i = 0; i < klassen && i <= in.stat.n; ++i) s += in.f[i];
  return 1 - s / in.stat.summe;
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double c0 = Anteil(in, 1);
  const double c1 = Anteil(in, 2);
  const double c2 = Anteil(in, 3);
  E[51] = 0.1;
  for (std::uint32_t runde = 1;; ++runde) {
    E[1] = E[51];
    E[51] = std::fabs(
        std::sqrt(std::fabs((E[1] + 3) / (c0 * (E[1] + 1)))) * (E[1] + 2) * c1 / std::sqrt(c2) - 3);
    if (std::fabs(E[1] - E[51]) < kToleranz || runde == kRunden) break;
  }
  E[2] = (E[51] + 3) * c2 / (c1 * (E[51] + 2));
  E[0] = (E[51] + 3) * c2 / (E[2] * E[2] * E[2]);
  if (E[0] >= 1 / E[2]) E[0] = 1 / E[2] - 0.01;
  if (E[0] >= 1 / E[2]) E[0] = 1 / E[2] - 0.1;
}

constexpr Alternative kAlternativen[] = {{{0}, {51}, {2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double q = par[2];
  if (par[0] >= 1 / q) par[0] = 1 / q - 0.1;
  const double a = par[0];
  const double b = par[1];
  const std::uint32_t L = in.stat.n;
  // 1/(x + b - 1) - q/(x + b) as (1 + (1 - q)(x + b - 1)) / ((x + b - 1)(x + b)): the written
  // difference loses the digits of 1 - q when q is near 1 and x large.
  const auto term = [&](std::uint32_t i) {
    const double x = static_cast<double>(in.x[i]);
    if (i == 0) return 1 - q * a / (b + 1);
    return std::pow(q, x - 1) * a * (1 + (1 - q) * (x + b - 1)) / ((x + b - 1) * (x + b));
  };
  Summe S = 0;
  for (std::uint32_t i = 0; i <= L; ++i) {
    const double r = term(i);
    if (i < L) NP[i] = r;
    S += r;
  }
  TermeNormieren(NP, L, in.stat.summe, S);
}

}  // namespace

// clang-format off
const Member kM161TelescopingHarmonic{.nummer = 161, .name = "Telescoping harmonic-geometric",
    .parZahl = 3, .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
