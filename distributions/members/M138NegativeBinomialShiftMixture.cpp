// SPDX-License-Identifier: GPL-3.0-or-later
// Member 138: negative binomial mixed with itself displaced by one.
//   P(0) = (1 - w) NB(0; k, p),  P(i) = (1 - w) NB(i; k, p) + w NB(i - 1; k, p);  k > 0,
//   0 < p, w < 1: X = Y + Z with Y negative binomial and Z Bernoulli(w). The last class takes the
//   remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/ZweiKomponenten.h"

namespace vk::members {

namespace {

namespace zk = zweikomponenten;

struct Schaetzung {
  double k, p, w;
};

// k and p of a negative binomial from its mean and variance: p = mean/variance, k = mean
// p/(1 - p); a variance not above the mean gives p at the edge of (0, 1).
Schaetzung AusMomenten(double mittel, double varianz, double w) {
  const double m = zk::Positiv(mittel);
  const double p = varianz > m ? m / varianz : 1 - zk::kRand;
  return {zk::Positiv(m * p / (1 - p)), p, w};
}

// Moment rounds on Y = X - Z: from the share r_i of the frequency of class i that the displaced
// part holds, w is the mean share and Y has mean and variance of the classes moved down by r_i;
// k and p follow from those (AusMomenten). Stops when k, p and w move by less than 0.0001, or
// after zk::kRunden rounds.
Schaetzung Runden(const zk::Daten& d, Schaetzung s) {
  for (int runde = 0; runde < zk::kRunden; ++runde) {
    Summe anteil = 0, y1 = 0, y2 = 0;
    const double logGewicht = std::log1p(-s.w) - std::log(s.w);
    for (std::uint32_t i = 1; i < d.f.size(); ++i) {
      // w NB(i - 1)/(w NB(i - 1) + (1 - w) NB(i)) = 1/(1 + e^t), t the log of the second over the
      // first.
      const double t = logGewicht + std::log((i + s.k - 1) * (1 - s.p) / i);
      const double e = std::exp(-std::fabs(t));
      const double r = t > 0 ? e / (1 + e) : 1 / (1 + e);
      const double v = d.v[i];  // class 0 (v = 0) adds nothing to either moment
      anteil += d.f[i] * r;
      y1 += d.f[i] * (v - r);
      y2 += d.f[i] * ((1 - r) * v * v + r * (v - 1) * (v - 1));
    }
    const double mittel = static_cast<double>(y1 / d.N);
    const Schaetzung neu = AusMomenten(mittel, static_cast<double>(y2 / d.N) - mittel * mittel,
                                       zk::InsIntervall(static_cast<double>(anteil / d.N)));
    const bool fertig = std::fabs(neu.k - s.k) < 1e-4 && std::fabs(neu.p - s.p) < 1e-4 &&
                        std::fabs(neu.w - s.w) < 1e-4;
    s = neu;
    if (fertig) break;
  }
  return s;
}

// Two starts for (k, p, w), w = 0.25 and w = 0.75, with k and p from the mean and variance of
// the class index less those of Z; each iterated by the moment rounds, in slots k - 1, 50 + k - 1,
// 100 + k - 1 of alternative k.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const zk::Daten d = zk::Lesen(in, false);
  const double M = in.stat.m1x0;
  const double m2 = in.stat.m2;
  const double anfang[] = {0.25, 0.75};
  for (std::uint32_t k = 1; k <= 2; ++k) {
    const double w = anfang[k - 1];
    const Schaetzung s = Runden(d, AusMomenten(M - w, m2 - w * (1 - w), w));
    zk::Eintragen(E, k, {s.k, s.p, s.w});
  }
}

constexpr Alternative kAlternativen[] = {{{0}, {50}, {100}}, {{1}, {51}, {101}}};

// The negative binomial terms NB(0..L-1) first (from the mode where p^k is below the normal range),
// then the classes from the top down, each from its own term and the one below.
void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double w = par[2];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  voninnen::Leeren(NP, L);
  zk::Addieren(
      NP, L, 1, std::exp(k * std::log(p)), [&] { return static_cast<Summe>(k) * std::log(p); },
      [k, p](std::uint32_t i) { return (i + k - 1) * (1 - p) / i; });
  for (std::uint32_t i = L; i-- > 1;) NP[i] = N * ((1 - w) * NP[i] + w * NP[i - 1]);
  if (L > 0) NP[0] = N * (1 - w) * NP[0];
  zk::Rest(NP, L, N);
}

}  // namespace

// clang-format off
const Member kM138NegativeBinomialShiftMixture{.nummer = 138,
    .name = "Negative binomial mixed with its shift by one", .parZahl = 3,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
