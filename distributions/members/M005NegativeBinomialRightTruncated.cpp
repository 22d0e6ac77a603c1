// SPDX-License-Identifier: GPL-3.0-or-later
// Member 5: negative binomial distribution right-truncated at the last class L.
//   P(i) proportional to C(k + i - 1, i) (1 - p)^i,  i = 0..L;  k > 0, p in (0, 1). The terms are
//   normalised over 0..L; the last class is N minus the others.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/NegativBinomial.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const double M = in.stat.m1x0;
  E[1] = std::fabs(M / in.stat.m2);
  E[0] = negativbinomial::KAusMittel(M, E[1]);

  const std::uint32_t L = in.stat.n;
  const auto [f0, f1, f2, f3] = Anfangsklassen(in.f, L);
  if (f1 > 0 && f2 > 0 && f1 * f2 < 3 * f3) {
    E[50] = 2 * f1 * f2 / (3 * f3 - f1 * f2);
    E[51] = std::fabs(1 - 2 * f2 / ((E[50] + 1) * f1));
  } else {
    E[50] = E[0];
    E[51] = E[1];
  }

  // (i + 1) f[i+1] = (1 - p)(i + k) f[i]: summed over i < L with k = E[0].
  Summe s = 0;
  for (std::uint32_t i = 0; i < L; ++i) {
    const double di = static_cast<double>(i);
    s += (di + 1) * in.f[i + 1] / (di + E[0]);
  }
  E[101] = 1 - static_cast<double>(s) / (in.stat.summe - in.f[L]);
  // The member declares no fixed parameter, yet E[102] reads the first fixed-parameter place as
  // a truncation point: whatever the engine holds there enters this one estimate.
  const double F0 = in.eig.festparameter[0];
  const double m1 = in.stat.m1;
  E[102] = ((E[0] + 1) * M - E[0] * F0) / (in.stat.fm2 + m1 - m1 * (F0 - E[0]) - E[0] * F0);
}

constexpr Alternative kAlternativen[] = {
    {{0}, {1}}, {{50}, {51}}, {{50, 0}, {101}}, {{0}, {102}}, {{50, 0}, {101, 1, 51, 102}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  // The negative binomial ratio, the terms normalised over 0..L alone.
  NormierteTermeBisL(NP, in.stat.n, in.stat.summe,
                     [&](double i, double vorher) { return vorher * (i + k - 1) * (1 - p) / i; });
}

}  // namespace

// clang-format off
const Member kM005NegativeBinomialRightTruncated{.nummer = 5,
    .name = "Right-truncated negative binomial", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
