// SPDX-License-Identifier: GPL-3.0-or-later
// Member 55: logarithmic series distribution right-truncated at the data's last value.
//   P(x) proportional to a^x / x,  x = 1..x_L;  a > 0 (the truncation allows a >= 1).
//   Normalised over the classes, all of them by the formula (no tail class).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  Summe s = 0;
  for (std::uint32_t i = 2; i <= L; ++i) {
    const double di = static_cast<double>(i);
    s += di * f[i] / (di - 1);
  }
  E[2] = static_cast<double>(s) / (in.stat.summe - f[L]);
  E[0] = (f[0] > 0) ? 2 * f[1] / f[0] : E[2];
}

constexpr Alternative kAlternativen[] = {{{0, 2}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  // Where a^x of the last value would overflow (a above 1, many classes), every term is taken
  // relative to it, a^(x - x_L)/x: the normalised classes are the same.
  const double xL = static_cast<double>(in.x[in.stat.n]);
  const double bezug = xL * std::log(a) > 700 ? xL : 0;
  const auto term = [&](std::uint32_t i, double = 0) {
    const double xi = static_cast<double>(in.x[i]);
    return std::pow(a, xi - bezug) / xi;
  };
  NormierteTerme(NP, in.stat.n, in.stat.n, in.stat.summe, term(0), term, Restregel::kKeine);
}

}  // namespace

// clang-format off
const Member kM055TruncatedLogarithmic{.nummer = 55, .name = "Right-truncated logarithmic",
    .parZahl = 1, .traeger = Traeger::kEins, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
