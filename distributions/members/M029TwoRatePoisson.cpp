// SPDX-License-Identifier: GPL-3.0-or-later
// Member 29: Poisson-type distribution with two rates a < b.
//   P(0) = e^-a;  P(i) = (a/b) e^-b (b/(b - a))^i (e^(b-a) - sum_{j<i} (b - a)^j/j!)  for i >= 1,
//   i.e. (a/b) e^-a (b/(b - a))^i times the upper Poisson(b - a) tail from i on;  a, b > 0,
//   a != b (the two are put in order first). The last class takes the remainder.
#include <cmath>
#include <utility>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The written difference is kept until it would lose three digits (its operands within this of
// each other, relatively); closer, the same number comes from a form without the difference.
inline constexpr double kNahe = 1e-3;
// Beyond this b, e^-b leaves the normal double range less a margin (see the expected frequencies).
inline constexpr double kLogarithmenAb = 700;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const auto g = ErsetzteAnfangsklassen(f, in.stat.n);
  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  const double m2 = in.stat.m2;
  const double anteil = g[0] / N;
  E[50] = -std::log(anteil);
  const double a = E[50];
  E[0] = (std::sqrt((a - m1) * (a - m1) + a * a * (m2 - m1 + m1 * m1)) + m1 - a) / a;
  E[1] = a * (anteil + m1 - 1) / (anteil + a - 1);
  // The two estimates of b stay apart, the moment one below the zero-class one.
  if (E[0] >= E[1]) E[0] = E[1] - 0.1;
}

void AlternativeWaehlen(const Eingaben&, std::uint32_t k, const Schaetzwerttabelle& E,
                        Parametervektor& p) {
  p[0] = E[50];
  switch (k) {
    case 1:
      p[1] = E[0];
      break;
    case 2:
      p[1] = E[1];
      break;
    case 3:
      p[1] = (E[0] + E[1]) / 2;
      break;
    default:
      return;  // a = E[50] is what all three share
  }
  if (p[0] > p[1]) std::swap(p[0], p[1]);
}

// sum_{j >= i} d^j/j! divided by its first term d^i/i!: 1 + d/(i + 1) + d^2/((i + 1)(i + 2)) + ...,
// until a term no longer changes the sum. Only called where the partial sum below i is at least
// half of e^d, i.e. i beyond about d, so the terms fall from the start and a few hundred of them
// suffice for any d whose e^d is finite; the round limit is a safeguard.
Summe ObereReihe(double d, double i) {
  constexpr int kRunden = 100000;
  Summe summe = 1;
  double glied = 1;
  for (int r = 1; r <= kRunden; ++r) {
    glied = glied * d / (i + r);
    const Summe neu = summe + glied;
    if (neu == summe) break;
    summe = neu;
  }
  return summe;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  if (par[0] > par[1]) std::swap(par[0], par[1]);
  const double a = par[0];
  const double b = par[1];
  const double N = in.stat.summe;
  // For i >= 2: the power (b/(b - a))^i and the partial sum of the exponential series of b - a
  // run along with i. Once that partial sum reaches half of e^(b-a) the difference would cancel
  // (all of it for b - a near 0 or i well above b - a): from there the tail from i on is summed
  // upwards instead, where its terms fall.
  const double d = b - a;
  const double vorfaktor = a / b * std::exp(-b);
  const double quotient = b / d;
  const double ed = std::exp(d);
  double potenz = quotient;  // (b/(b - a))^1
  double glied = 1;          // (b - a)^j / j!, j = 0
  Summe teilsumme = glied;   // j < 1
  // (a/b) e^-b (b/(b - a))^i (b - a)^i/i! = (a/b) e^-b b^i/i!, at most a/b, run along with i: it
  // stays representable where the power overflows and the tail's first term underflows.
  double anfang = a * std::exp(-b);  // i = 1
  // From b of about 700 on e^-b, the factor of every class from 2 on, is 0 or subnormal in
  // double while the classes near the mode are not (and from a of about 690 on the first class
  // is below 1e-300 too): then the same factors are formed in logarithms, class by class, and
  // only their product is exponentiated.
  const bool inLogarithmen = b > kLogarithmenAb;
  const double logVorfaktor = std::log(a / b) - b;
  const double logQuotient = std::log(quotient);
  const Summe logB = std::log(static_cast<Summe>(b));
  // Summed over thousands of classes: in extended precision, so that its roundings do not drift.
  Summe logAnfang = std::log(static_cast<Summe>(a)) - b;  // i = 1
  RekursionMitRest(NP, in.stat.n, N, N * std::exp(-a), [&](double i, double) {
    // e^-a - e^-b as e^-a (1 - e^-(b-a)), through expm1 where b - a is small and the difference
    // would cancel.
    if (i == 1 && inLogarithmen) {
      return N * std::exp(std::log(a) - a + std::log(-std::expm1(-d)) - std::log(d));
    }
    if (i == 1) {
      const double differenz =
          d < kNahe ? std::exp(-a) * -std::expm1(-d) : std::exp(-a) - std::exp(-b);
      return N * a * differenz / (b - a);
    }
    glied = glied * d / (i - 1);
    teilsumme += glied;
    anfang = anfang * b / i;
    logAnfang += logB - std::log(static_cast<Summe>(i));
    if (inLogarithmen) {
      if (!(teilsumme >= ed / 2)) {
        return N * std::exp(logVorfaktor + i * logQuotient +
                            std::log(ed - static_cast<double>(teilsumme)));
      }
      return N * static_cast<double>(std::exp(logAnfang + std::log(ObereReihe(d, i))));
    }
    // Once the partial sum has reached half of e^(b-a) it stays there: the power is needed only
    // before, and beyond it would overflow for b - a far below b.
    if (!(teilsumme >= ed / 2)) {
      potenz *= quotient;
      return N * vorfaktor * potenz * (ed - static_cast<double>(teilsumme));
    }
    return N * anfang * static_cast<double>(ObereReihe(d, i));
  });
}

}  // namespace

// clang-format off
const Member kM029TwoRatePoisson{.nummer = 29, .name = "Two-rate Poisson", .parZahl = 2,
    .schaetzwerte = SchaetzwerteBerechnen, .alternative = AlternativeWaehlen, .alternativenZahl = 3,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
