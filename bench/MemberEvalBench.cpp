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

void BM_Member155GrosserMittelwert(benchmark::State& state) {
  const auto L = static_cast<std::uint32_t>(state.range(0));
  vk::TParameterEigenschaften eig;
  const vk::Member* m = vk::MitgliedSuchen(155);
  eig.parZahl = m->parZahl;
  eig.festparZahl = m->festparZahl;
  eig.festparameter = {5};
  vk::TStatistik s;
  s.summe = 1000;
  s.n = L;
  auto x = std::make_unique<vk::KlassenWerte>();
  for (std::uint32_t i = 0; i <= L; ++i) (*x)[i] = i;
  const auto f = std::make_unique<vk::KlassenHaeufigkeiten>();
  auto NP = std::make_unique<vk::Erwartungswerte>();
  for (auto _ : state) {
    vk::Parametervektor par{1e6, 0.002};
    benchmark::DoNotOptimize(vk::ErwartungswerteBerechnen(155, par, s, *x, *f, *NP, eig));
  }
}
BENCHMARK(BM_Member155GrosserMittelwert)->Arg(1100)->Arg(5000)->Unit(benchmark::kMillisecond);

// One evaluation of member 121 (a Poisson number of binomial(n, p) summands) at L = 30, near
// where its fit to BM_AutomatischeAnpassungL30's data ends (lambda 3.14, p 0.0997), with Int(n)
// = 2, 8 and 28 terms in each class's sum: the fixed cost of an evaluation against the cost of
// its stopped sums.
void BM_Member121Auswertung(benchmark::State& state) {
  const vk::Member* m = vk::MitgliedSuchen(121);
  vk::TParameterEigenschaften eig;
  eig.parZahl = m->parZahl;
  vk::TStatistik s;
  s.summe = 1000;
  s.n = 30;
  auto x = std::make_unique<vk::KlassenWerte>();
  for (std::uint32_t i = 0; i <= s.n; ++i) (*x)[i] = i;
  const auto f = std::make_unique<vk::KlassenHaeufigkeiten>();
  auto NP = std::make_unique<vk::Erwartungswerte>();
  const double n = static_cast<double>(state.range(0)) + 0.585;
  for (auto _ : state) {
    vk::Parametervektor par{3.1365, n, 0.0997};
    benchmark::DoNotOptimize(vk::ErwartungswerteBerechnen(121, par, s, *x, *f, *NP, eig));
  }
}
BENCHMARK(BM_Member121Auswertung)->Arg(2)->Arg(8)->Arg(28);

}  // namespace
