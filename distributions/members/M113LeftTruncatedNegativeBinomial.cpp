// SPDX-License-Identifier: GPL-3.0-or-later
// Member 113: negative binomial distribution left-truncated below m.
//   P(v) = NB(v; k, p) / (1 - sum_{x<m} NB(x; k, p)),  v = m, m + 1, ...;  m = Int(F0) fixed (the
//   data's first value), k > 0, 0 < p < 1, NB(v; k, p) = C(k + v - 1, v) p^k (1 - p)^v. The first
//   class is the value m, the ratio of the classes uses their values; the last class takes the
//   remainder.
#include <algorithm>
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Gestutzt.h"
#include "distributions/members/Members.h"

namespace vk::members {

namespace {

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  gestutzt::NegBinStarts(in, in.eig.festparameter[0], E);
}

// How many terms the series below may take before it counts as divergent.
constexpr std::uint32_t kMaxTerme = 10'000'000;

// log of P(m) = NB(m) / (1 - S) by the series 1 / P(m) = sum_{j>=0} NB(m + j) / NB(m), whose
// terms have the ratio (m + j + k - 1)(1 - p) / (m + j): all positive, no difference of nearly
// equal numbers (S near 1 for a mean far below m), and no factor p^k that underflows. Terms
// beyond 2^900 (a mode far above m) are carried scaled.
Summe LogErsteKlasse(double k, double p, double m) {
  // The terms do not fall while their ratio (1 - p)(1 + (k - 1)/v) is at least 1, up to the
  // value v = (k - 1)(1 - p)/p: there each term is at least the sum's share 1/(j + 1), far above
  // what leaves the sum unchanged, so the series cannot end. Where that value lies at or beyond
  // the last one the bound lets it reach, it surely runs to the bound and fails there: it fails
  // at once (a refinement's wide steps reach k in the billions, where running the bound's ten
  // million terms would take most of a fit).
  if (p > 0 && p < 1 && m + kMaxTerme <= (k - 1) * ((1 - p) / p)) {
    RaiseInvalid();
    return 0;
  }
  Summe summe = 1, t = 1;
  Zweierskala skala;
  for (std::uint32_t j = 1; j <= kMaxTerme; ++j) {
    const double v = m + j;
    const double g = (v + k - 1) * (1 - p) / v;
    t *= g;
    const Summe neu = summe + t;
    if (neu == summe && g < 1) {
      return -(std::log(summe) + static_cast<Summe>(skala.Exponent()) * std::log(2.0L));
    }
    summe = neu;
    skala.Halten(summe, summe, t);
  }
  RaiseInvalid();
  return 0;
}

// Whether the series of LogErsteKlasse for m = 0 surely ends before its bound. Its ratio
// g_j = (1 - p)(1 + (k - 1) / j) is at most 1 - p/2 from j0 = 2 max(k - 1, 0)(1 - p) / p on and
// never rises again, so 92 / p terms later no term changes the sum. With m = 0 nothing is
// truncated and the sum is p^-k itself: log P(0) = k log p, without the terms up to a mode
// thousands of classes away.
bool ReiheEndetSicher(double k, double p) {
  if (!(p > 0 && p < 1)) return false;
  const double j0 = 2 * std::max(k - 1, 0.0) * (1 - p) / p;
  return j0 + 92 / p + 10 < kMaxTerme;
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double k = par[0];
  const double p = par[1];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  const std::uint32_t m = BegrenzteAnzahl(in.eig.festparameter[0], kMaxKlassenIndex);
  // As written: NB(0..m) from p^k upward, while that is a normal double and the truncated mass
  // S leaves at least half of 1 - S's digits.
  double p0 = 0;
  bool geschrieben = false;
  const double pk = std::pow(p, k);
  if (pk >= kKleinsteNormale) {
    double t = pk;
    Summe S = 0;
    for (std::uint32_t x = 0; x < m; ++x) {
      S += t;
      t *= (x + k) * (1 - p) / (x + 1.0);
    }
    if (S <= 0.5) p0 = t / static_cast<double>(1 - S);
    geschrieben = p0 >= kKleinsteNormale;
  }
  Summe logP0 = 0;
  if (!geschrieben) {
    logP0 = m == 0 && ReiheEndetSicher(k, p) ? k * std::log(static_cast<Summe>(p))
                                             : LogErsteKlasse(k, p, m);
    p0 = static_cast<double>(std::exp(logP0));
  }
  RekursionMitRestGeschuetzt(
      NP, L, N, p0, [&] { return logP0; },
      [&](std::uint32_t i, double vorher) {
        const double x = in.x[i];
        return vorher * (x + k - 1) * (1 - p) / x;
      });
}

}  // namespace

// clang-format off
const Member kM113LeftTruncatedNegativeBinomial{.nummer = 113,
    .name = "Left-truncated negative binomial", .parZahl = 2, .festparZahl = 1,
    .schaetzwerte = SchaetzwerteBerechnen,
    .alternativenTabelle = gestutzt::kNegBinAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
