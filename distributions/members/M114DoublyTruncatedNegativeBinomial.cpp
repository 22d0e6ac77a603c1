// SPDX-License-Identifier: GPL-3.0-or-later
// Member 114: negative binomial distribution truncated on both sides.
//   P(v) = NB(v; k, p) / sum_{x=Int(F0)}^{Int(F1)} NB(x; k, p),  v = Int(F0)..Int(F1);  F0 and F1
//   the first and last values of the support (the data's), k > 0, 0 < p < 1,
//   NB(v; k, p) = C(k + v - 1, v) p^k (1 - p)^v. The classes hold their values x[i]; the last
//   class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Gestutzt.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  gestutzt::NegBinStarts(in, in.eig.festparameter[0], E);
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double F0 = std::trunc(in.eig.festparameter[0]);
  const double F1 = std::trunc(in.eig.festparameter[1]);
  gestutzt::Normieren(in, NP, k * std::log(static_cast<Summe>(p)), gestutzt::LetzterWert(F1), F0,
                      F1, [&](std::uint32_t v) { return (v + k - 1) * (1 - p) / v; });
}

}  // namespace

// clang-format off
const Member kM114DoublyTruncatedNegativeBinomial{.nummer = 114,
    .name = "Doubly truncated negative binomial", .parZahl = 2, .festparZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = gestutzt::kNegBinAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
