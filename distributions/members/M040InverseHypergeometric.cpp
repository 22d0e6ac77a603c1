// SPDX-License-Identifier: GPL-3.0-or-later
// Member 40: inverse hypergeometric distribution: the number of failures drawn before the n-th
// success when drawing without replacement from N' items of which R are successes.
//   P(i) = C(i + n - 1, i) C(N' - n - i, R - n) / C(N', R),  i = 0..N' - R;
//   parameters N', R, n with 1 <= n < R <= N' (put in that order first). The last class takes
//   the remainder.
#include <cmath>
#include <utility>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/VonInnen.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  const double fm2 = in.stat.fm2;
  const double L = static_cast<double>(in.stat.n);
  // Moments with N' - R taken as the last value L.
  E[100] = std::fabs(M * ((L - 1) * M - fm2) / (L * fm2 - M * M * (L - 1))) + 1;
  E[50] = std::fabs(L * E[100] - M) / M;
  E[0] = static_cast<double>(in.x[in.stat.n]) + E[50];
}

constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}}};

constexpr int kOrdnungsDurchgaenge = 4;

// One pass of the repairs: n < 1 becomes 1; R <= n sets R = n + 1 and n the old R; n and then R
// are exchanged with N' where they exceed it; N' is raised to leave room for L failures beyond n
// and beyond R; n < 1 becomes 1 again.
void Ordnen(double& Ng, double& R, double& n, double L) {
  if (n < 1) n = 1;
  if (R <= n) {
    const double altR = R;
    R = n + 1;
    n = altR;
  }
  if (n > Ng) std::swap(n, Ng);
  if (R > Ng) std::swap(R, Ng);
  if (L > Ng - n) Ng = L + n + 1;
  if (L > Ng - R) Ng = L + R + 1;
  if (n < 1) n = 1;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  double& Ng = par[0];
  double& R = par[1];
  double& n = par[2];
  const double L = static_cast<double>(in.stat.n);
  // Bring the three into the order 1 <= n < R <= N' with room for L failures. One pass does it
  // for every vector the search meets near a fit; from far outside (all three below 1, say) it
  // may end with R <= n again, and the vector written back would then evaluate to other
  // classes. The pass is repeated until it changes nothing, which the second one does.
  for (int durchgang = 0; durchgang < kOrdnungsDurchgaenge; ++durchgang) {
    const double vorher[] = {Ng, R, n};
    Ordnen(Ng, R, n, L);
    if (vorher[0] == Ng && vorher[1] == R && vorher[2] == n) break;
  }

  const double N = in.stat.summe;
  const std::uint32_t anzahl = FaktorAnzahl(n);
  const double p0 = Produkt(1, 0, anzahl, [&](double j) { return (R - j) / (Ng - j); });
  const auto verhaeltnis = [&](double i) {
    return (i + n - 1) * (Ng - R - i + 1) / (i * (Ng - n - i + 1));
  };
  const std::uint32_t letzte = in.stat.n;
  if (p0 < voninnen::kKleinsterStart && letzte > 0) {
    // Many successes awaited among few: the product below the double range, summed in
    // logarithms instead, and the classes from the largest term below L.
    Summe logP0 = 0;
    for (std::uint32_t j = 0; j < anzahl; ++j) logP0 += std::log((R - j) / (Ng - j));
    voninnen::Leeren(NP, letzte);
    voninnen::AusLogarithmen(NP, letzte, static_cast<double>(logP0), N,
                             [&](std::uint32_t i) { return verhaeltnis(i); });
    RestklasseSetzen(NP, letzte, N, voninnen::Unterhalb(NP, letzte));
    return;
  }
  RekursionMitRest(NP, letzte, N, N * p0, [&](double i, double vorher) {
    return vorher * (i + n - 1) * (Ng - R - i + 1) / (i * (Ng - n - i + 1));
  });
}

}  // namespace

// clang-format off
const Member kM040InverseHypergeometric{.nummer = 40, .name = "Inverse hypergeometric",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
