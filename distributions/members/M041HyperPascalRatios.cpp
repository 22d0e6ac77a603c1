// SPDX-License-Identifier: GPL-3.0-or-later
// Member 41: hyper-Pascal distribution, started from frequency ratios refined by least squares.
//   P(x) proportional to (k)_x q^x / (m)_x,  x = 0, 1, 2, ...;  k, m > 0, 0 < q < 1; the
//   expected frequencies are those of member 6 (normalised over x = 0..L+100, the last class
//   takes the remainder).
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/HyperPascal.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

inline constexpr std::uint32_t kRunden = 4;
// Rounds that only bring a start from outside the domain into it.
inline constexpr std::uint32_t kMaxRunden = 40;
inline constexpr double kToleranz = 0.001;

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const KlassenHaeufigkeiten& f = in.f;
  const auto [r1, r2, r3] = ErsteVerhaeltnisse(ErsetzteAnfangsklassen(f, in.stat.n));
  E[50] = r1;
  E[51] = r2;
  E[52] = r3;
  E[101] = std::fabs((4 * r2 - 6 * r3) / (3 * r3 - 4 * r2 + r1));
  E[100] = std::fabs(r1 * E[101] / (2 * r2 * (E[101] + 1) - r1 * E[101]));
  E[102] = std::fabs(r1 * E[101] / E[100]);

  // Refinement on f[i+1] (i + m) = q (i + k) f[i], i = 0..L-1, by least squares for one
  // parameter at a time, each from the newest values of the other two (solved all three from the
  // previous round's values they overshoot and run away: q cycled between 0.2 and 18 on real
  // data). Whether a round improves the start is judged by how well the model's ratios
  // q (i + k)/(i + m) match the observed f[i+1]/f[i]: the sum of their squared relative
  // mismatches over the classes with f[i+1] > 0. (The least-squares sums themselves weigh the
  // classes by i f[i], so that the first ratios, which the fit depends on most, count for little;
  // judged by them the rounds drove m to 0 on the word syllables, a start the fit could not leave.)
  // A round is kept only when it lowers that sum and does not leave the domain (k, m > 0,
  // 0 < q < 1); otherwise the refinement ends at the last kept values, the ratio estimates if none
  // was kept. Ratio estimates outside the domain (q above 1 is common) are refined beyond the
  // four rounds until they enter it. The least-squares residual is linear in (q, q k, m), so its
  // minimum over all three at once is one 3x3 system of normal equations: where that minimum lies
  // in the domain it is the refined estimate; on real data it mostly lies outside (a negative k
  // or m), and the rounds search the domain instead.
  const std::uint32_t L = in.stat.n;
  const auto abweichung = [&](double k, double m, double q) {
    Summe r = 0;
    for (std::uint32_t i = 0; i < L; ++i) {
      const double di = static_cast<double>(i);
      if (f[i + 1] == 0) continue;
      const double d = q * (di + k) * f[i] / ((di + m) * f[i + 1]) - 1;
      r += d * d;
    }
    return r;
  };
  const auto imBereich = [](double k, double m, double q) {
    return k > 0 && m > 0 && q > 0 && q < 1;
  };
  const auto qLS = [&](double kk, double mm) {
    Summe z = 0, n = 0;
    for (std::uint32_t i = 0; i < L; ++i) {
      const double di = static_cast<double>(i);
      const double u = (di + kk) * f[i];
      z += u * (di + mm) * f[i + 1];
      n += u * u;
    }
    return static_cast<double>(z / n);
  };
  const auto kLS = [&](double mm, double qq) {
    Summe z = 0, n = 0;
    for (std::uint32_t i = 0; i < L; ++i) {
      const double di = static_cast<double>(i);
      z += f[i] * ((di + mm) * f[i + 1] / qq - di * f[i]);
      n += f[i] * f[i];
    }
    return std::fabs(static_cast<double>(z / n));
  };
  const auto mLS = [&](double kk, double qq) {
    Summe z = 0, n = 0;
    for (std::uint32_t i = 0; i < L; ++i) {
      const double di = static_cast<double>(i);
      z += f[i + 1] * (qq * (di + kk) * f[i] - di * f[i + 1]);
      n += f[i + 1] * f[i + 1];
    }
    return std::fabs(static_cast<double>(z / n));
  };
  Summe R = abweichung(E[100], E[101], E[102]);
  {
    // Normal equations of q (i f[i]) + (q k) f[i] - m f[i+1] = i f[i+1], by Cramer's rule.
    double A[3][3] = {}, y[3] = {};
    for (std::uint32_t i = 0; i < L; ++i) {
      const double di = static_cast<double>(i);
      const double zeile[3] = {di * f[i], f[i], -f[i + 1]};
      for (int s = 0; s < 3; ++s) {
        y[s] += zeile[s] * di * f[i + 1];
        for (int t = 0; t < 3; ++t) A[s][t] += zeile[s] * zeile[t];
      }
    }
    const auto det3 = [](const double(&M)[3][3]) {
      return M[0][0] * (M[1][1] * M[2][2] - M[1][2] * M[2][1]) -
             M[0][1] * (M[1][0] * M[2][2] - M[1][2] * M[2][0]) +
             M[0][2] * (M[1][0] * M[2][1] - M[1][1] * M[2][0]);
    };
    const double D = det3(A);
    double loesung[3] = {};
    for (int s = 0; D != 0 && s < 3; ++s) {
      double As[3][3];
      for (int z = 0; z < 3; ++z)
        for (int t = 0; t < 3; ++t) As[z][t] = t == s ? y[z] : A[z][t];
      loesung[s] = det3(As) / D;
    }
    const double q = loesung[0], m = loesung[2];
    const double k = q != 0 ? loesung[1] / q : 0;
    if (D != 0 && imBereich(k, m, q)) {
      E[0] = E[100];
      E[1] = E[101];
      E[2] = E[102];
      E[100] = k;
      E[101] = m;
      E[102] = q;
      R = abweichung(k, m, q);
    }
  }
  for (std::uint32_t runde = 0;
       runde < kRunden || (runde < kMaxRunden && !imBereich(E[100], E[101], E[102])); ++runde) {
    E[0] = E[100];
    E[1] = E[101];
    E[2] = E[102];
    const double k = E[0], m = E[1], q = E[2];
    const double qNeu = qLS(k, m);
    const double kNeu = kLS(m, qNeu);
    const double mNeu = mLS(kNeu, qNeu);
    const Summe RNeu = abweichung(kNeu, mNeu, qNeu);
    if (!(RNeu < R)) break;
    if (!imBereich(kNeu, mNeu, qNeu) && imBereich(k, m, q)) break;
    R = RNeu;
    E[100] = kNeu;
    E[101] = mNeu;
    E[102] = qNeu;
    if (std::fabs(qNeu - q) < kToleranz) break;
  }
}

constexpr Alternative kAlternativen[] = {{{100}, {101}, {102}}};

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  hyperpascal::Berechnen(NP, in.stat, par[0], par[1], par[2]);
}

}  // namespace

// clang-format off
const Member kM041HyperPascalRatios{.nummer = 41, .name = "Hyper-Pascal (ratio estimates)",
    .parZahl = 3, .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
