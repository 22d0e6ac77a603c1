// SPDX-License-Identifier: GPL-3.0-or-later
// Member 137: mixture of two zero-truncated Poisson distributions on 1, 2, ...
//   P(x) = w a^x/((e^a - 1) x!) + (1 - w) b^x/((e^b - 1) x!);  a, b > 0, 0 < w < 1. The data start
//   at the value 1; the last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/members/Members.h"
#include "distributions/members/ZweiKomponenten.h"

namespace vk::members {

namespace {

namespace zk = zweikomponenten;

// Three starts for (a, b, w), in slots k - 1, 50 + k - 1, 100 + k - 1 of alternative k. The values
// split at their mean give the means of the two parts and the share w of the first; each mean
// becomes the a whose zero-truncated Poisson has it.
//   1: EM (tolerance 0.0001) from the split start;
//   2: EM from the parts' means moved apart by half their distance to 1 and to each other;
//   3: the split start itself.
void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const zk::Daten d = zk::Lesen(in, true);
  const zk::Start mitte = zk::AmMittelGeteilt(d);
  const auto start = [](double mu, double mo, double w) {
    return zk::Start{zk::PositivPoissonAusMittel(mu), zk::PositivPoissonAusMittel(mo),
                     zk::InsIntervall(w)};
  };
  const zk::Start geteilt = start(mitte.a, mitte.b, mitte.w);
  const zk::Start weit = start(1 + (mitte.a - 1) / 2, mitte.b + (mitte.b - mitte.a) / 2, mitte.w);
  const auto logP = [&](double a, std::uint32_t i) { return zk::LogPositivPoisson(d, a, i); };
  const auto em = [&](zk::Start s) {
    return zk::EM(d, s, 1e-4, logP, logP, zk::PositivPoissonAusMittel, zk::PositivPoissonAusMittel);
  };
  zk::Eintragen(E, 1, em(geteilt));
  zk::Eintragen(E, 2, em(weit));
  zk::Eintragen(E, 3, geteilt);
}

constexpr Alternative kAlternativen[] = {
    {{0}, {50}, {100}}, {{1}, {51}, {101}}, {{2}, {52}, {102}}};

// The first term a/(e^a - 1) through expm1: the same number where e^a - 1 does not cancel, all
// digits for a small a. From a of 700 on e^a nears the double range, and the term (below 1e-300)
// comes from its logarithm ln a - a - ln(1 - e^-a); where it is subnormal the component starts
// at its largest class.
void PositivPoissonAddieren(Erwartungswerte& NP, const KlassenWerte& x, std::uint32_t L,
                            double skala, double a) {
  constexpr double kGrosseA = 700;
  const auto logT0 = [a] {
    return static_cast<Summe>(std::log(a)) - a - std::log1p(-std::exp(-a));
  };
  const double t0 = a < kGrosseA ? a / std::expm1(a) : static_cast<double>(std::exp(logT0()));
  zk::Addieren(NP, L, skala, t0, logT0,
               [&x, a](std::uint32_t i) { return a / static_cast<double>(x[i]); });
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double w = par[2];
  const double N = in.stat.summe;
  const std::uint32_t L = in.stat.n;
  voninnen::Leeren(NP, L);
  PositivPoissonAddieren(NP, in.x, L, N * w, par[0]);
  PositivPoissonAddieren(NP, in.x, L, N * (1 - w), par[1]);
  zk::Rest(NP, L, N);
}

}  // namespace

// clang-format off
const Member kM137PositivePoissonMixture{.nummer = 137,
    .name = "Mixture of two zero-truncated Poissons", .parZahl = 3, .traeger = Traeger::kEins,
    .schaetzwerte = SchaetzwerteBerechnen, .alternativenTabelle = kAlternativen,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
