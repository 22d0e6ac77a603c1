// SPDX-License-Identifier: GPL-3.0-or-later
// Member 87: Zipf distribution on 1..n.
//   P(k) = k^-a / sum_{j=1}^{n} j^-a,  k = 1..n;  n = Int(F0) fixed (the largest value of the
//   data), a real. Class i holds the value i + 1; every class by the formula, no remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/ZetaZipf.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  E[0] = zetazipf::AusErstenKlassen(in);
}

constexpr Alternative kAlternativen[] = {{{0}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  const std::uint32_t n = FaktorAnzahl(in.eig.festparameter[0]);
  // Classes beyond the largest value n have no term: such an n does not describe the data.
  if (n < L + 1) RaiseInvalid();
  Summe S = 0;
  for (std::uint32_t k = 1; k <= n; ++k) {
    const double r = std::pow(static_cast<double>(k), -a);
    S += r;
    if (k <= L + 1) NP[k - 1] = r;
  }
  TermeNormieren(NP, L, in.stat.summe, S, Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM087Zipf{.nummer = 87, .name = "Zipf", .parZahl = 1, .festparZahl = 1,
    .traeger = Traeger::kEins, .rest = Restregel::kKeine, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
