// SPDX-License-Identifier: GPL-3.0-or-later
// Member 12: Poisson distribution right-truncated at the last class L.
//   P(i) = (a^i / i!) / sum_{j=0}^{L} a^j / j!,  i = 0..L;  a > 0. Every class, the last one
//   included, is a point probability: there is no tail class.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const double dL = static_cast<double>(L);
  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  const double f1 = KlasseOderNull(f, L, 1);
  E[0] = N * in.stat.m1x0 / (N - f[L]);
  E[1] = (f[0] > 0 && f1 > 0) ? f1 / f[0] : E[0];
  E[2] = std::fabs((in.stat.fm2 + m1 - m1 * (dL + 1)) / (m1 - dL));
}

constexpr Alternative kAlternativen[] = {{{0, 1, 2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  double r = 1;
  Summe S = r;
  for (std::uint32_t i = 1; i <= L; ++i) {
    r = r * a / static_cast<double>(i);
    S += r;
    if (S > kGrosseTerme) {
      // The sum approaches e^a (a beyond about 690 with L near or above a): the terms are taken
      // relative to the largest one, so that neither they nor P(0) leave the double range.
      NormierteTermeBisL(
          NP, L, in.stat.summe, [&](double j, double vorher) { return vorher * a / j; },
          Restregel::kKeine);
      return;
    }
  }
  NP[0] = in.stat.summe / static_cast<double>(S);
  for (std::uint32_t j = 1; j <= L; ++j) NP[j] = NP[j - 1] * a / static_cast<double>(j);
}

}  // namespace

// clang-format off
const Member kM012RightTruncatedPoisson{.nummer = 12, .name = "Right-truncated Poisson",
    .parZahl = 1, .rest = Restregel::kKeine, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
