// SPDX-License-Identifier: GPL-3.0-or-later
// One evaluation of the expected frequencies of a member at parameters where its written route
// was dear: member 155 with a mean of 10^6 (the series of each class peaked near 10^6 terms).
// Target: below 50 ms at L = 5000. And what one evaluation of member 121 costs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "distributions/Registry.h"
#include "tests/support/NachNummer.h"

namespace {

// What one evaluation of member `nummer` reads at L classes (x = 0 .. L, N = 1000), built once
// outside the timed loop.
struct Auswertungsrahmen {
  std::uint32_t nummer;
  vk::TParameterEigenschaften eig;
  vk::TStatistik s;
  std::unique_ptr<vk::KlassenWerte> x = std::make_unique<vk::KlassenWerte>();
  std::unique_ptr<vk::KlassenHaeufigkeiten> f = std::make_unique<vk::KlassenHaeufigkeiten>();
  std::unique_ptr<vk::Erwartungswerte> NP = std::make_unique<vk::Erwartungswerte>();

  Auswertungsrahmen(std::uint32_t n, std::uint32_t L) : nummer(n) {
    const vk::Member* m = vk::MitgliedSuchen(n);
    eig.parZahl = m->parZahl;
    eig.festparZahl = m->festparZahl;
    s.summe = 1000;
    s.n = L;
    for (std::uint32_t i = 0; i <= L; ++i) (*x)[i] = i;
  }
  bool Auswerten(vk::Parametervektor& par) {
    return vk::ErwartungswerteBerechnen(nummer, par, s, *x, *f, *NP, eig);
  }
};

void BM_Member155GrosserMittelwert(benchmark::State& state) {
  Auswertungsrahmen r(155, static_cast<std::uint32_t>(state.range(0)));
  r.eig.festparameter = {5};
  for (auto _ : state) {
    vk::Parametervektor par{1e6, 0.002};
    benchmark::DoNotOptimize(r.Auswerten(par));
  }
}
BENCHMARK(BM_Member155GrosserMittelwert)->Arg(1100)->Arg(5000)->Unit(benchmark::kMillisecond);

// One evaluation of member 121 (a Poisson number of binomial(n, p) summands) at L = 30, near
// where its fit to BM_AutomatischeAnpassungL30's data ends (lambda 3.14, p 0.0997), with Int(n)
// = 2, 8 and 28 terms in each class's sum: the fixed cost of an evaluation against the cost of
// its stopped sums.
void BM_Member121Auswertung(benchmark::State& state) {
  Auswertungsrahmen r(121, 30);
  const double n = static_cast<double>(state.range(0)) + 0.585;
  for (auto _ : state) {
    vk::Parametervektor par{3.1365, n, 0.0997};
    benchmark::DoNotOptimize(r.Auswerten(par));
  }
}
BENCHMARK(BM_Member121Auswertung)->Arg(2)->Arg(8)->Arg(28);

}  // namespace
