// SPDX-License-Identifier: GPL-3.0-or-later
// Member 151: a distribution from the finite differences of a power.
//   P(i) = ((b/a)_i / i!) sum_(j=0..i) (-1)^j C(i, j) |1 - b - j a|^m,  m = F0 (whole),
//   P(0) = (1 - b)^m;  a > 0, 0 < b < 1; (b/a)_i is the rising factorial. The last class takes
//   the remainder.
// The alternating sum loses every digit for small a (its terms are near (1 - b)^m, its value near
// a^i). While d = 1 - b - i a >= 0 all its arguments are positive and it is the i-th difference of
// a polynomial; from e^(ct)(1 - e^(-at))^i = e^(dt)(e^(at) - 1)^i it equals
//   i! sum_(k=i..m) C(m, k) S(k, i) a^k d^(m-k),
// a sum of positive terms (S: Stirling numbers of the second kind), so
//   P(i) = prod_(r<i) (b + r a) * sum_(k=i..m) C(m, k) S(k, i) a^(k-i) d^(m-k),
// and P(i) = 0 for i > m. Past d < 0, or for m beyond the column buffer, the row's sum is taken as
// it stands, in long double: there a is not small against 1 - b and the sum cancels little.
#include <array>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double m = in.eig.festparameter[0];
  E[1] = 1 - std::pow(g[0] / in.stat.summe, 1 / m);
  E[0] = 0.01;
  for (int runde = 0; runde < 50; ++runde) {
    E[50] = E[0];
    E[0] = (1 - std::pow(1 - E[50] / (1 - E[1]), m)) * E[1] * g[0] / g[1];
    if (std::fabs(E[0] - E[50]) < 0.0001) break;
  }
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

// The longest column of Stirling numbers carried along the classes.
constexpr std::uint32_t kGroessteSpalte = 512;

long double Differenzensumme(long double a, long double b, double m, std::uint32_t i) {
  Summe s = 0;
  long double binom = 1;
  for (std::uint32_t j = 0; j <= i; ++j) {
    const long double t = binom * std::pow(std::fabs(1 - b - j * a), static_cast<long double>(m));
    s += j % 2 == 0 ? t : -t;
    binom = binom * (i - j) / (j + 1);
  }
  return s;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const long double a = par[0];
  const long double b = par[1];
  const double m = in.eig.festparameter[0];
  const double N = in.stat.summe;
  const long double beta = b / a;
  const long double lnA = std::log(a);
  Unterbrechungszaehler stopp(in);
  long double steigend = 1;   // (b/a)_i / i!
  long double lnProdukt = 0;  // ln prod_(r<i) (b + r a)
  long double lnCi = 0;       // ln C(m, i)
  // spalte[k] = S(k, i) for k = i..m, advanced one column per class.
  // (A fixed m that is not whole, as a caller may pass, leaves the polynomial too.)
  const bool spalteReicht = m >= 1 && m < kGroessteSpalte && m == std::floor(m);
  const auto mm = static_cast<std::uint32_t>(spalteReicht ? m : 0);
  std::array<long double, kGroessteSpalte> spalte;
  spalte[0] = 1;
  for (std::uint32_t k = 1; k <= mm; ++k) spalte[k] = 0;
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    if (i == 0) return N * std::pow(1 - par[1], m);
    steigend *= (beta + i - 1) / i;
    lnProdukt += std::log(b + (i - 1) * a);
    if (stopp.Zaehlen(i)) return 0.0;
    const long double d = 1 - b - i * a;
    if (!spalteReicht || d < 0)
      return static_cast<double>(N * steigend * Differenzensumme(a, b, m, i));
    if (i > mm) return 0.0;
    // S(k, i) = i S(k-1, i) + S(k-1, i-1), ascending in k over the column of i - 1.
    long double vorher = spalte[i - 1];
    spalte[i - 1] = 0;
    for (std::uint32_t k = i; k <= mm; ++k) {
      const long double alt = spalte[k];
      spalte[k] = i * spalte[k - 1] + vorher;
      vorher = alt;
    }
    lnCi += std::log(static_cast<long double>(mm - i + 1) / i);
    // Each term through its logarithm: C(m, k) d^(m-k) and a^(k-i) S(k, i) span more than the
    // long double range between them for large m.
    if (d == 0)
      return static_cast<double>(N * std::exp(lnProdukt + (mm - i) * lnA + std::log(spalte[mm])));
    const long double lnD = std::log(d);
    Summe s = 0;
    long double lnC = lnCi;  // ln C(m, k), from k = i upwards
    for (std::uint32_t k = i;; ++k) {
      s += std::exp(lnProdukt + lnC + (k - i) * lnA + (mm - k) * lnD + std::log(spalte[k]));
      if (k == mm) break;
      lnC += std::log(static_cast<long double>(mm - k) / (k + 1));
    }
    return static_cast<double>(N * s);
  });
}

}  // namespace

// clang-format off
const Member kM151FiniteDifferenceBinomial{.nummer = 151, .name = "Finite-difference binomial",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
