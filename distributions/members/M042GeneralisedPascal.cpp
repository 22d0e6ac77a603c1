// SPDX-License-Identifier: GPL-3.0-or-later
// Member 42: three-parameter generalisation of the negative binomial distribution.
//   P(i)/P(i-1) = (i + b - 1)(1 - c + (i - 1) a) / (i ((i + b - 1) a + 1)),  i = 1, 2, ...,
//   P(0) = |(ab + c)/c|^(c/a - 1/2) |(ab + c)/(ab + 1)|^b |1/(ab + 1)|^(1/a - 1/2),
//   a Stirling-type form of the normalising ratio of gamma functions;  a, b > 0, 0 < c < 1.
//   For a -> 0 it becomes the negative binomial with exponent b and P(0) = c^b. The last class
//   takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// Powers whose logarithm stays below this are ordinary doubles, far from either end of the range.
inline constexpr Summe kGewoehnlich = 650;

inline constexpr std::uint32_t kRunden = 21;
inline constexpr double kToleranz = 0.0001;
// A denominator this close to 0 stops the fixed point at its last values, and a quadratic
// with a leading coefficient this small is not solved.
inline constexpr double kKleinsterNenner = 1e-9;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  // The first three ratios rho_i = P(i)/P(i-1) give three equations in a, b, c (F_i = 0 below):
  //   rho1 (ab + 1) = b (1 - c),  2 rho2 ((b + 1) a + 1) = (b + 1)(1 - c + a),
  //   3 rho3 ((b + 2) a + 1) = (b + 2)(1 - c + 2a).
  const auto [r1, r2, r3] = ErsteVerhaeltnisse(ErsetzteAnfangsklassen(in.f, in.stat.n));

  // Newton steps on F_i(a, b, c) = (i + b - 1)(1 - c + (i - 1) a) - i rho_i ((i + b - 1) a + 1),
  // i = 1..3, from (0.1, 1.0, 0.6); the 3x3 system by Cramer's rule.
  const double r[4] = {0, r1, r2, r3};
  double a = 0.1, b = 1.0, c = 0.6;
  for (std::uint32_t runde = 0; runde < kRunden; ++runde) {
    double J[3][3], F[3];
    for (int z = 0; z < 3; ++z) {
      const double i = z + 1;
      const double ib = i + b - 1;
      F[z] = ib * (1 - c + (i - 1) * a) - i * r[z + 1] * (ib * a + 1);
      J[z][0] = ib * (i - 1) - i * r[z + 1] * ib;
      J[z][1] = (1 - c + (i - 1) * a) - i * r[z + 1] * a;
      J[z][2] = -ib;
    }
    const auto det3 = [](const double(&m)[3][3]) {
      return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
             m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
             m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const double D = det3(J);
    if (std::fabs(D) < kKleinsterNenner) break;
    double schritt[3];
    for (int s = 0; s < 3; ++s) {
      double Js[3][3];
      for (int z = 0; z < 3; ++z)
        for (int q = 0; q < 3; ++q) Js[z][q] = (q == s) ? F[z] : J[z][q];
      schritt[s] = det3(Js) / D;
    }
    const double aNeu = a - schritt[0];
    const double bNeu = b - schritt[1];
    const double cNeu = c - schritt[2];
    // A step that leaves the domain (a, b > 0, 0 < c < 1) ends the iteration at the last
    // values inside it: ratios that no member of the family has would otherwise drive it away.
    if (!(aNeu > 0 && bNeu > 0 && cNeu > 0 && cNeu < 1)) break;
    a = aNeu;
    b = bNeu;
    c = cNeu;
    if (std::fabs(schritt[0]) < kToleranz && std::fabs(schritt[1]) < kToleranz) break;
  }
  E[50] = a;
  E[51] = b;
  E[52] = c;

  // Closed form with c held at the iterated value: b = rho1 / (1 - c - rho1 a) from the first
  // equation turns the second into A a^2 + B a + C = 0.
  const double alpha = 1 + r1 - c;
  const double beta = 1 - c;
  const double A = r1 - 2 * r1 * r2;
  const double B = 2 * r2 * (alpha - r1) - alpha + r1 * beta;
  const double C = 2 * r2 * beta - alpha * beta;
  const double disk = B * B - 4 * A * C;
  E[100] = a;
  E[101] = b;
  E[102] = c;
  if (disk > 0 && std::fabs(A) >= kKleinsterNenner) {
    const double w = std::sqrt(disk);
    const double a1 = (-B + w) / (2 * A);
    const double a2 = (-B - w) / (2 * A);
    // The root nearer the iterated a.
    const double aq = (std::fabs(a1 - a) <= std::fabs(a2 - a)) ? a1 : a2;
    const double nen = 1 - c - r1 * aq;
    // Only a root inside the domain replaces the iterated values.
    if (std::fabs(nen) >= kKleinsterNenner && aq > 0 && r1 / nen > 0) {
      E[100] = aq;
      E[101] = r1 / nen;
    }
  }
}

constexpr Alternative kAlternativen[] = {
    {{50}, {51}, {52}}, {{100}, {101}, {102}}, {{50, 100}, {51, 101}, {52, 102}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double c = par[2];
  const double N = in.stat.summe;
  const double ab = a * b;
  const auto schritt = [&](double i, double vorher) {
    return vorher * (i + b - 1) * (1 - c + (i - 1) * a) / (i * ((i + b - 1) * a + 1));
  };
  // The three powers of P(0) each leave the double range (small a, b in the thousands) where
  // their product need not, and the product itself may lie below it while the classes near the
  // mode do not. Their logarithms decide: while each power is an ordinary number they are
  // multiplied as they stand; otherwise P(0) is their product taken in logarithms, and where it
  // is no normal number the recurrence starts from the largest class.
  const double basis1 = std::fabs((ab + c) / c);
  const double basis2 = std::fabs((ab + c) / (ab + 1));
  const double basis3 = std::fabs(1 / (ab + 1));
  const Summe l1 = (c / a - 0.5) * std::log(static_cast<Summe>(basis1));
  const Summe l2 = b * std::log(static_cast<Summe>(basis2));
  const Summe l3 = (1 / a - 0.5) * std::log(static_cast<Summe>(basis3));
  const bool gewoehnlich =
      std::fabs(l1) < kGewoehnlich && std::fabs(l2) < kGewoehnlich && std::fabs(l3) < kGewoehnlich;
  const double p0 = gewoehnlich ? std::pow(basis1, c / a - 0.5) * std::pow(basis2, b) *
                                      std::pow(basis3, 1 / a - 0.5)
                                : static_cast<double>(std::exp(l1 + l2 + l3));
  RekursionMitRestGeschuetzt(
      NP, in.stat.n, N, p0, [&] { return l1 + l2 + l3; }, schritt);
}

}  // namespace

// clang-format off
const Member kM042GeneralisedPascal{.nummer = 42,
    .name = "Generalised negative binomial (three-parameter)", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
