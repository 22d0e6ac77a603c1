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
// and P(i) = 0 for i > m.
// Past d < 0 the absolute values matter. The same sum without them is still the polynomial's
// difference, Q(i) = i! sum_k C(m, k) S(k, i) a^k d^(m-k) (0 for i > m), and for an even m it is
// the defining sum. For an odd m the arguments below zero (j > J, the last j with 1 - b - j a >= 0)
// enter with the opposite sign, so the defining sum is Q(i) + 2 sum_(j>J) (-1)^j C(i, j)(j a - c)^m
// = 2 sum_(j<=J) (-1)^j C(i, j)(c - j a)^m - Q(i), c = 1 - b: a sum of the few terms on one side
// of the kink (the shorter side is taken), where the full alternating sum left only the rounding
// of terms near 1 multiplied by (b/a)_i/i! (1e5 in classes worth 1e-286). For a fixed m that is
// not whole, or beyond the column buffer, the defining sum is taken as it stands, in long double.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/helpers/Unterbrechung.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

// The largest exponent whose power is still a normal double with room to spare.
inline constexpr double kGrosserExponent = 700;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const auto g = ErsetzteAnfangsklassen(in.f, in.stat.n);
  const double m = in.eig.festparameter[0];
  E[1] = 1 - std::pow(g[0] / in.stat.summe, 1 / m);
  E[0] = 0.01;
  // The iteration solves f1/f0 = P(1)/P(0) for a. Where it diverges (the iterate passes 1 - b,
  // the power's base turns negative and its m-th power runs away) it left the domain a > 0 or
  // the double range within a few rounds and the estimate failed with an overflow: it ends at
  // the last positive iterate instead.
  for (int runde = 0; runde < 50; ++runde) {
    E[50] = E[0];
    const double q = 1 - E[50] / (1 - E[1]);
    if (std::fabs(q) > 1 && m * std::log(std::fabs(q)) > kGrosserExponent) break;
    const double neu = (1 - std::pow(q, m)) * E[1] * g[0] / g[1];
    if (!(neu > 0)) break;
    E[0] = neu;
    if (std::fabs(E[0] - E[50]) < 0.0001) break;
  }
}

constexpr Alternative kAlternativen[] = {{{0}, {1}}};

// The longest column of Stirling numbers carried along the classes. Their rows up to 2048 stay
// below 1e4470, inside the long double range; a larger m would leave the alternating sum as
// written to cancel (and overflow its rising factorial) once (1 - b)^m is below 1e-300.
constexpr std::uint32_t kGroessteSpalte = 2048;

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

// The terms j = von..bis of the defining sum, each times prod_(r<i) (b + r a)/(a^i i!) through its
// logarithm lnVor - ln j! - ln (i - j)! + m ln|1 - b - j a|.
Summe Seite(long double a, long double b, double m, std::uint32_t i, std::int64_t von,
            std::int64_t bis, long double lnVor) {
  Summe s = 0;
  for (std::int64_t j = von; j <= bis; ++j) {
    const long double x = std::fabs(1 - b - j * a);
    if (x == 0) continue;
    const long double t =
        std::exp(lnVor - std::lgamma(static_cast<long double>(j) + 1) -
                 std::lgamma(static_cast<long double>(i - j) + 1) + m * std::log(x));
    s += j % 2 == 0 ? t : -t;
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
  // The polynomial's difference Q(i) times (b/a)_i/i!, by the Stirling sum with |d| = e^lnD;
  // a negative d gives the terms with an odd power of d the minus sign. Each term through its
  // logarithm: C(m, k) d^(m-k) and a^(k-i) S(k, i) span more than the long double range between
  // them for large m.
  const auto polynom = [&](std::uint32_t i, long double lnD, bool negativ) {
    Summe s = 0;
    long double lnC = lnCi;  // ln C(m, k), from k = i upwards
    for (std::uint32_t k = i;; ++k) {
      const long double t =
          std::exp(lnProdukt + lnC + (k - i) * lnA + (mm - k) * lnD + std::log(spalte[k]));
      s += negativ && (mm - k) % 2 == 1 ? -t : t;
      if (k == mm) break;
      lnC += std::log(static_cast<long double>(mm - k) / (k + 1));
    }
    return s;
  };
  KlassenMitRest(NP, in.stat.n, N, [&](std::uint32_t i, double) {
    if (i == 0) return N * std::pow(1 - par[1], m);
    steigend *= (beta + i - 1) / i;
    lnProdukt += std::log(b + (i - 1) * a);
    if (stopp.Zaehlen(i)) return 0.0;
    if (!spalteReicht) return static_cast<double>(N * steigend * Differenzensumme(a, b, m, i));
    if (i <= mm) {
      // S(k, i) = i S(k-1, i) + S(k-1, i-1), ascending in k over the column of i - 1.
      long double vorher = spalte[i - 1];
      spalte[i - 1] = 0;
      for (std::uint32_t k = i; k <= mm; ++k) {
        const long double alt = spalte[k];
        spalte[k] = i * spalte[k - 1] + vorher;
        vorher = alt;
      }
      lnCi += std::log(static_cast<long double>(mm - i + 1) / i);
    }
    const long double d = 1 - b - i * a;
    // (A NaN d, from a NaN b, takes the first branch as before and leaves NaN classes.)
    if (!(d <= 0)) return i > mm ? 0.0 : static_cast<double>(N * polynom(i, std::log(d), false));
    if (d == 0) {
      if (i > mm) return 0.0;
      return static_cast<double>(N * std::exp(lnProdukt + (mm - i) * lnA + std::log(spalte[mm])));
    }
    const Summe q = i <= mm ? polynom(i, std::log(-d), true) : 0;
    if (mm % 2 == 0) return static_cast<double>(N * q);
    // J: the last j whose argument 1 - b - j a is not below zero (-1 when none is), J < i.
    const long double vorKnick = std::clamp<long double>(std::floor((1 - b) / a), -1, i - 1.0L);
    auto J = static_cast<std::int64_t>(vorKnick);
    while (J + 1 < static_cast<std::int64_t>(i) && 1 - b - (J + 1) * a >= 0) ++J;
    while (J >= 0 && 1 - b - J * a < 0) --J;
    const long double lnVor = lnProdukt - i * lnA;
    if (static_cast<std::int64_t>(i) - J <= J + 1) {
      return static_cast<double>(N * (q + 2 * Seite(a, b, m, i, J + 1, i, lnVor)));
    }
    return static_cast<double>(N * (2 * Seite(a, b, m, i, 0, J, lnVor) - q));
  });
}

}  // namespace

// clang-format off
const Member kM151FiniteDifferenceBinomial{.nummer = 151, .name = "Finite-difference binomial",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = kAlternativen, .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
