// SPDX-License-Identifier: GPL-3.0-or-later
// Member 69: a birth-death chain whose ratio changes at two points.
//   r[0] = 1;  r[i] = r[i-1] c a / i  for i <= Int(k);  r[i-1] c a / k  for k < i <= Int(l);
//   r[i-1] (L - i + 1) a / k  above;  P(i) = r[i] / sum r, i = 0..L;  a > 0, k = F0 > 0,
//   l = F1 where the second ratio gives way to the third, c = F2 >= 0. All classes normalised
//   over 0..L, none a remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/Warteschlange.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t L = in.stat.n;
  const double k = in.eig.festparameter[0];
  const double c = in.eig.festparameter[2];
  // The ranges end at the last class: Int(k) and Int(F1) as class indices no larger than L.
  const std::uint32_t ik = BegrenzteAnzahl(std::clamp(std::trunc(k), 0.0, 1.0 * L), L);
  const std::uint32_t i1 =
      BegrenzteAnzahl(std::clamp(std::trunc(in.eig.festparameter[1]), 1.0 * ik, 1.0 * L), L);
  Summe A1 = 0, B1 = 0, A2 = 0, B2 = 0, A3 = 0, B3 = 0;
  warteschlange::RegressionSummen(
      f, 0, ik, [](std::uint32_t i) { return 1 / (i + 1.0); }, A1, B1);
  warteschlange::RegressionSummen(
      f, ik, i1, [](std::uint32_t) { return 1.0; }, A2, B2);
  // d_j = L - j + 1 for the class j = i + 1.
  warteschlange::RegressionSummen(
      f, i1, L, [&](std::uint32_t i) { return static_cast<double>(L - i); }, A3, B3);
  // A range without classes (or without frequencies) gives no estimate; its slot takes the
  // first estimate that exists.
  const double kein = std::nan("");
  const double e1 = B1 > 0 ? static_cast<double>(A1 / B1) / c : kein;
  const double e2 = B2 > 0 ? static_cast<double>(A2 / B2) * k / c : kein;
  const double e3 = B3 > 0 ? static_cast<double>(A3 / B3) * k : kein;
  const double ersatz = !std::isnan(e1) ? e1 : (!std::isnan(e2) ? e2 : e3);
  E[1] = std::isnan(e1) ? ersatz : e1;
  E[2] = std::isnan(e2) ? ersatz : e2;
  E[3] = std::isnan(e3) ? ersatz : e3;
}

constexpr Alternative kAlternativen[] = {{{1, 2, 3}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const std::uint32_t L = in.stat.n;
  const double k = in.eig.festparameter[0];
  const double c = in.eig.festparameter[2];
  // k divides every ratio beyond the first range and c multiplies the first two: a k of 0 or
  // below or a negative c give no distribution.
  if (!(k > 0) || !(c >= 0)) RaiseInvalid();
  const double ik = std::trunc(k);
  // The second range ends at Int(F1), where the estimates change to the third ratio: the fixed
  // parameter that marks it, not the factor c.
  const double i1 = std::trunc(in.eig.festparameter[1]);
  SkalierteNormierteKlassen(NP, L, in.stat.summe, [&](std::uint32_t i, double r) {
    const double di = static_cast<double>(i);
    if (di <= ik) return r * c * a / di;
    if (di <= i1) return r * c * a / k;
    return r * (L - di + 1) * a / k;
  });
}

}  // namespace

// clang-format off
const Member kM069ThreePhaseQueue{.nummer = 69, .name = "Three-phase birth-death chain",
    .parZahl = 1, .festparZahl = 3, .rest = Restregel::kKeine,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
