// SPDX-License-Identifier: GPL-3.0-or-later
// Member 92: zero-truncated binomial with a share of the value 1 moved to the value 0.
//   The binomial with P'(0) = Bin(0) + b Bin(1), P'(1) = (1 - b) Bin(1), P'(v) = Bin(v) above,
//   truncated at 0: P(v) = P'(v) / (1 - P'(0)),  v = 1, 2, ...;  n a natural number, p in
//   (0, 1), b in [0, 1). Class i holds the value x[i]; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// b from the first two classes, f(1)/f(2) = (1 - b) 2 (1 - p)/((n - 1) p), for a given n, p.
double AnteilAusErstenKlassen(double g0, double g1, double n, double p) {
  return 1 - g0 / g1 * (n - 1) * p / (2 * (1 - p));
}

// Above the value 1 the classes are the binomial's, up to one factor. Estimates:
//   n: E[0] = x[L]; E[1] = 2 + 3 r2/theta from the first ratios r2 = f~[2]/f~[1] = (n - 2)
//      theta/3 and r3 = f~[3]/f~[2] = (n - 3) theta/4, theta = 3 r2 - 4 r3 = p/(1 - p) (E[0]
//      where theta is not positive); E[2] = 2 + (fm3/fm2)/E[50] from the factorial moments,
//      whose ratios fm3/fm2 = (n - 2) p and fm4/fm3 = (n - 3) p hold for every b (the value 1
//      adds nothing to them);
//   p: E[50] = fm3/fm2 - fm4/fm3, E[51] = theta/(1 + theta) (E[50] where theta is not
//      positive; E[51] and E[1] where the factorial moments are not positive), each brought into
//      (0, 1);
//   b: E[100] with (E[0], E[50]) and E[52] with (E[1], E[51]) from the first two classes;
//   E[3]: the mean of E[0..2], raised to E[0] + 1 when below E[0], for alternative 4.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TStatistik& s = in.stat;
  const std::uint32_t L = s.n;
  const auto [g0, g1, g2, g3] = ErsetzteAnfangsklassen(in.f, L);
  E[0] = in.x[L];
  const double theta = 3 * g2 / g1 - 4 * g3 / g2;
  E[1] = theta > 0 ? 2 + 3 * (g2 / g1) / theta : E[0];
  E[51] = theta > 0 ? theta / (1 + theta) : 0.5;
  InEinheitsintervallKorrigieren(E[51]);
  if (s.fm2 > 0 && s.fm3 > 0) {
    E[50] = s.fm3 / s.fm2 - s.fm4 / s.fm3;
    InEinheitsintervallKorrigieren(E[50]);
    E[2] = 2 + (s.fm3 / s.fm2) / E[50];
  } else {
    E[50] = E[51];
    E[2] = E[1];
  }
  if (!(theta > 0)) E[51] = E[50];
  E[100] = AnteilAusErstenKlassen(g0, g1, E[0], E[50]);
  E[52] = AnteilAusErstenKlassen(g0, g1, E[1], E[51]);
  E[3] = (E[0] + E[1] + E[2]) / 3;
  if (E[3] < E[0]) E[3] = E[0] + 1;
}

// Alt 1: (E[0], E[50], E[100]); Alt 2: (E[1], E[51], E[52]); Alt 3: (E[2], E[50], E[52]);
// Alt 4: (E[3], (E[50] + E[51])/2, (E[100] + E[52])/2).
constexpr Alternative kAlternativen[] = {
    {{0}, {50}, {100}}, {{1}, {51}, {52}}, {{2}, {50}, {52}}, {{3}, {50, 51}, {100, 52}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double n = par[0];
  const double p = par[1];
  const double b = par[2];
  const double N = in.stat.summe;
  const double q = 1 - p;
  // While the bracket b n p/q + 1 is not negative, D = 1 - q^n - b n p q^(n-1) is formed as
  // -expm1(n ln q) - b n p q^(n-1): the same value, without the cancellation of 1 - q^n
  // against 1 for small p.
  const double klammer = b * n * p / q + 1;
  const double lnq = std::log1p(-p);
  const double D = klammer >= 0 ? -std::expm1(n * lnq) - b * n * p * std::exp((n - 1) * lnq)
                                : 1 - std::fabs(klammer) * std::pow(q, n);
  // Without mass beyond the value 0 there is nothing to truncate to.
  if (!(D > 0)) RaiseInvalid();
  if (std::pow(q, n - 1) != 0 || !(p < 1)) {
    KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double vorher) {
      if (i == 0) return N * std::fabs(1 - b) * n * p * std::pow(q, n - 1) / D;
      if (i == 1) return N * n * (n - 1) * p * p * std::pow(q, n - 2) / (2 * D);
      const double xi = static_cast<double>(in.x[i]);
      return vorher * (n - xi + 1) * p / (q * xi);
    });
    return;
  }
  // (1 - p)^(n-1) below the double range would make every class 0. The same classes from the
  // binomial's logarithm, ln C(n, v) + v ln p + (n - v) ln(1 - p) for the value v = x[i], with
  // the coefficient carried along v; once a factor n - v + 1 reaches 0 the terms stay 0.
  const double lnND = std::log(N / D);
  const double lnp = std::log(p);
  Summe lnC = std::log(n);
  bool null = false;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    const double v = static_cast<double>(in.x[i]);
    if (i > 0) {
      null = null || n - v + 1 <= 0;
      if (!null) lnC += std::log((n - v + 1) / v);
    }
    const double t =
        null ? 0.0 : std::exp(lnND + static_cast<double>(lnC) + v * lnp + (n - v) * lnq);
    return i == 0 ? std::fabs(1 - b) * t : t;
  });
}

}  // namespace

// clang-format off
const Member kM092PositiveBinomialShare{.nummer = 92,
    .name = "Positive binomial with a share of one moved to zero", .parZahl = 3,
    .traeger = Traeger::kEins, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
