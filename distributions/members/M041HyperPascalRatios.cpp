// SPDX-License-Identifier: GPL-3.0-or-later
// Member 41: hyper-Pascal distribution, started from frequency ratios refined by least squares.
//   P(x) proportional to (k)_x q^x / (m)_x,  x = 0, 1, 2, ...;  k, m > 0, 0 < q < 1; the
//   expected frequencies are those of member 6 (normalised over x = 0..L+100, the last class
//   takes the remainder).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/HyperPascal.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr std::uint32_t kRunden = 4;
inline constexpr double kToleranz = 0.001;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const auto [r1, r2, r3] = ErsteVerhaeltnisse(ErsetzteAnfangsklassen(f, in.stat.n));
  E[50] = r1;
  E[51] = r2;
  E[52] = r3;
  E[101] = std::fabs((4 * r2 - 6 * r3) / (3 * r3 - 4 * r2 + r1));
  E[100] = std::fabs(r1 * E[101] / (2 * r2 * (E[101] + 1) - r1 * E[101]));
  E[102] = std::fabs(r1 * E[101] / E[100]);

  // Refinement on f[i+1] (i + m) = q (i + k) f[i], i = 0..L-1: each round solves for one
  // parameter at a time by least squares, the other two held at the previous round's values.
  const std::uint32_t L = in.stat.n;
  for (std::uint32_t runde = 0; runde < kRunden; ++runde) {
    E[0] = E[100];
    E[1] = E[101];
    E[2] = E[102];
    const double k = E[0], m = E[1], q = E[2];
    Summe qz = 0, qn = 0, kz = 0, kn = 0, mz = 0, mn = 0;
    for (std::uint32_t i = 0; i < L; ++i) {
      const double di = static_cast<double>(i);
      const double u = (di + k) * f[i];  // q u = (i + m) f[i+1]
      const double v = (di + m) * f[i + 1];
      qz += u * v;
      qn += u * u;
      kz += f[i] * (v / q - di * f[i]);  // k f[i] = (i + m) f[i+1] / q - i f[i]
      kn += f[i] * f[i];
      mz += f[i + 1] * (q * u - di * f[i + 1]);  // m f[i+1] = q (i + k) f[i] - i f[i+1]
      mn += f[i + 1] * f[i + 1];
    }
    E[102] = static_cast<double>(qz / qn);
    E[100] = std::fabs(static_cast<double>(kz / kn));
    E[101] = std::fabs(static_cast<double>(mz / mn));
    if (std::fabs(E[102] - q) < kToleranz) break;
  }
}

constexpr Alternative kAlternativen[] = {{{100}, {101}, {102}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  hyperpascal::Berechnen(NP, in.stat, par[0], par[1], par[2]);
}

}  // namespace

// clang-format off
const Member kM041HyperPascalRatios{.nummer = 41, .name = "Hyper-Pascal (ratio estimates)",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
