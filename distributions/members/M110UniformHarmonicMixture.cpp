// SPDX-License-Identifier: GPL-3.0-or-later
// Member 110: the values 1..n with P(x) = (1/n) sum_{j=1}^{x} 1/(n + 1 - j) = (1/n)
// sum_{y=n+1-x}^{n}
//   1/y: n + 1 - U with U uniform on 1..Y and Y uniform on 1..n. n is raised to the last value x[L]
//   if it is smaller (written back). The classes run to Int(n) - 1, beyond the last class of the
//   data where n exceeds x[L]; the class Int(n) - 1 takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  E[0] = in.x[in.stat.n];
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double letzter = in.x[in.stat.n];
  if (par[0] < letzter) par[0] = letzter;
  const double n = par[0];
  // The classes are written up to Int(n) - 1, which must stay inside the array.
  const std::uint32_t klassen = BegrenzteAnzahl(n, kMaxKlassen);
  if (klassen == 0) {
    RaiseInvalid();
    return;
  }
  const double N = in.stat.summe;
  Summe harmonisch = 0;
  Summe summe = 0;
  for (std::uint32_t i = 1; i < klassen; ++i) {
    harmonisch += 1 / (n + 1 - i);
    NP[i - 1] = N * static_cast<double>(harmonisch) / n;
    summe += NP[i - 1];
  }
  RestklasseSetzen(NP, klassen - 1, N, summe);
}

}  // namespace

// clang-format off
const Member kM110UniformHarmonicMixture{.nummer = 110, .name = "Reflected uniform mixture of uniforms",
    .parZahl = 1, .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
